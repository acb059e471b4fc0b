#include "net/HttpCli.h"

#include "net/HttpRelocation.h"

void THttpCli::LocationTarget(const std::string& Value)
{
    THttpTarget t{FHostName, FConnectPort, FTargetHost, FTargetPort, FPath};
    ApplyRelocation(t, Value, !Proxy.empty());
    FHostName = t.HostName;
    FConnectPort = t.ConnectPort;
    FTargetHost = t.TargetHost;
    FTargetPort = t.TargetPort;
    FPath = t.Path;
    FLocation = FPath;
}

void THttpCli::FollowLocation()
{
    if (!Still([&] { FireHeaderEnd(); }))
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
    if (!Still([&] { Invoke(FAlive, OnLocationChange, this); }))
        return;
    Post(WM_HTTP_RELOCATE);
}
