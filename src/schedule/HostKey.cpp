#include "schedule/HostKey.h"

#include "net/HttpUrl.h"
#include "platform/AnsiCase.h"

std::string HostKey(const std::string& url)
{
    const THttpUrlParts parts = ParseURL(url);
    std::string port = parts.Port;
    if (port.empty())
        port = AnsiSameText(parts.Proto, "https") ? "443" : "80";
    std::string key;
    key.reserve(parts.Host.size() + 1 + port.size());
    for (const char c : parts.Host)
        key += AnsiLowerChar(c);
    return key + ":" + port;
}
