#pragma once
#include <string>

// The product's home page and the mail that recommends it.
extern const char* const HomePageAddress;
std::string TellAFriendLink();

// Opens an http address or a mailto link with the desktop's default handler.
// Failures are logged, never shown.
void CallBrowser(const std::string& url);
