#pragma once
#include <functional>
#include <string>

// Opens an http address or a mailto link with the desktop's default handler.
// Tests install an opener to record the calls. Returns whether it was handed on.
bool ShellOpen(const std::string& address);
void SetShellOpener(std::function<bool(const std::string&)> opener);
