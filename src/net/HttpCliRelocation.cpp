#include "net/HttpCli.h"

#include "net/HttpRelocation.h"
#include "net/HttpUrl.h"

namespace {
// The path alone, as a tunnel's far end is asked for it.
std::string OriginForm(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path.empty() ? "/" : path;
    const std::string own = ParseURL(path).Path;
    return own.empty() ? "/" : own;
}
}

void THttpCli::LocationTarget(const std::string& Value)
{
    THttpTarget t{FHostName, FConnectPort, FTargetHost, FTargetPort, FPath, FTls};
    ApplyRelocation(t, Value, !Proxy.empty());
    // Leaving TLS without the user's word would hand what follows to anyone on the path.
    FDowngradeRefused = FTls && !t.Tls;
    if (FDowngradeRefused)
        return;
    FTls = t.Tls;
    FTunnel = FTls && !Proxy.empty();
    if (FTunnel)
        t.Path = OriginForm(t.Path);
    FHostName = t.HostName;
    FConnectPort = t.ConnectPort;
    FTargetHost = t.TargetHost;
    FTargetPort = t.TargetPort;
    FPath = t.Path;
    FLocation = FPath;
}

void THttpCli::FollowLocation()
{
    const TAliveWatch going = FRequest.Watch();
    FireHeaderEnd();
    if (!going)
        return;
    // What came after the header is the redirect's own body: never read.
    FReader.Restart();
    FBodyLineCount = 0;
    FYielded = false;
    FCtrlSocket->OnSessionClosed = [this](TCustomWSocket* s, uint16_t e) { RelocationClosed(s, e); };
    FCtrlSocket->Close();
}

void THttpCli::RelocationClosed(TCustomWSocket*, uint16_t)
{
    FConnected = false;
    BindSessionClosed();
    const TAliveWatch going = FRequest.Watch();
    CallHandler(OnLocationChange, this);
    if (!going)
        return;
    Post(WM_HTTP_RELOCATE);
}
