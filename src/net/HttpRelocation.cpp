#include "net/HttpRelocation.h"

#include "net/HttpRequestText.h"
#include "net/HttpUrl.h"
#include "platform/AnsiCase.h"

namespace {
std::string Origin(const std::string& proto, const THttpTarget& t)
{
    return proto + "://" + t.TargetHost + (t.TargetPort.empty() ? "" : ":" + t.TargetPort);
}
}

void ApplyRelocation(THttpTarget& t, const std::string& location, bool viaProxy)
{
    // Control bytes of a hostile value must never reach a request line.
    const std::string value = EscapeControlBytes(location);
    if (!viaProxy && !value.empty() && value[0] == '/') {
        t.Path = value;
        return;
    }
    const THttpUrlParts p = ParseURL(value);
    const std::string proto = p.Proto.empty() ? (t.Tls ? "https" : "http") : p.Proto;
    if (p.Path.empty()) {
        // A bare name parses as a host: it names a document on the same host.
        t.Path = Origin(proto, t) + "/" + p.Host;
    } else if (p.Host.empty()) {
        t.Path = Origin(proto, t) + p.Path;
    } else {
        t.TargetHost = p.Host;
        t.TargetPort = p.Port;
        t.Tls = AnsiSameText(proto, "https");
        if (viaProxy) {
            t.Path = value;
            return;
        }
        t.HostName = p.Host;
        t.ConnectPort = p.Port.empty() ? (t.Tls ? "443" : "80") : p.Port;
        t.Path = p.Path;
        return;
    }
    if (!viaProxy)
        t.HostName = t.TargetHost;
}
