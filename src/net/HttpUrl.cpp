#include "net/HttpUrl.h"

#include "platform/AnsiCase.h"

namespace {
bool StartsWithNoCase(const std::string& s, std::string_view prefix)
{
    return AnsiSameText(std::string_view(s).substr(0, prefix.size()), prefix);
}
}

THttpUrlParts ParseURL(const std::string& url)
{
    THttpUrlParts r;
    if (url.empty())
        return r;

    std::string rest;
    const size_t scheme = url.find("://");
    if (scheme != std::string::npos) {
        r.Proto = url.substr(0, scheme);
        rest = url.substr(scheme + 3);
    } else if (url[0] == '/') {
        r.Proto = "http";
        if (url.size() > 1 && url[1] != '/') {
            r.Path = url;
            return r;
        }
        rest = url.substr(1);
    } else if (StartsWithNoCase(url, "http:")) {
        r.Proto = "http";
        if (url.size() > 6 && url[6] != '/') {
            r.Path = url.substr(5);
            return r;
        }
        rest = url.size() > 6 ? url.substr(6) : std::string();
    } else if (StartsWithNoCase(url, "mailto:")) {
        r.Proto = "mailto";
        rest = url.substr(url.find(':') + 1);
    } else {
        rest = url;
    }

    const size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    if (slash != std::string::npos)
        r.Path = rest.substr(slash);

    const size_t colon = authority.rfind(':');
    const size_t at = authority.rfind('@');
    const size_t hostStart = at == std::string::npos ? 0 : at + 1;
    if (colon != std::string::npos && (at == std::string::npos || colon > at)) {
        r.Port = authority.substr(colon + 1);
        r.Host = authority.substr(hostStart, colon - hostStart);
    } else {
        r.Host = authority.substr(hostStart);
    }
    if (at != std::string::npos) {
        const std::string cred = authority.substr(0, at);
        const size_t c = cred.find(':');
        r.User = cred.substr(0, c);
        if (c != std::string::npos)
            r.Pass = cred.substr(c + 1);
    }
    return r;
}
