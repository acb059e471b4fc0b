#pragma once
#include <string>

// Which server a URL's request connects to, for the per-host cap: the host
// in lower case and the port, the scheme's own when the URL names none.
std::string HostKey(const std::string& url);
