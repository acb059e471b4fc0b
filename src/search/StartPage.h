#pragma once
#include <string>

// A phrase that is an "http://" or "https://" address (scheme in any letter case, trimmed,
// something after the scheme) names the page a search starts from.
bool IsStartPage(const std::string& phrase);
// The page's address: trimmed, its scheme in lower case, so that the links
// read from it are the page's own.
std::string StartPageAddress(const std::string& phrase);
// The address's host, without user and port: the Smart Save folder's name
// before MakeValidDir.
std::string StartPageHost(const std::string& address);
