#include "net/ProxySettings.h"

#include "net/HttpCli.h"
#include "platform/SettingsKeys.h"

TProxySettings ReadProxySettings(const TIniFile& Ini)
{
    TProxySettings s;
    s.ProxyServer = Read(Ini, Setting::ProxyServer);
    s.ProxyPort = Read(Ini, Setting::ProxyPort);
    s.SocksServer = Read(Ini, Setting::SocksServer);
    s.SocksPort = Read(Ini, Setting::SocksPort);
    s.SocksLevel = Read(Ini, Setting::SocksLevel);
    s.SocksUsercode = Read(Ini, Setting::SocksUsercode);
    s.SocksPassword = Read(Ini, Setting::SocksPassword);
    s.TlsCaFile = Read(Ini, Setting::TlsCaFile);
    return s;
}

void ApplyProxySettings(const TProxySettings& Settings, THttpCli& Client)
{
    Client.TlsCaFile = Settings.TlsCaFile;
    if (!Settings.ProxyServer.empty()) {
        Client.Proxy = Settings.ProxyServer;
        Client.ProxyPort = Settings.ProxyPort;
    }
    if (Settings.SocksServer.empty())
        return;
    Client.SocksServer = Settings.SocksServer;
    Client.SocksPort = Settings.SocksPort;
    Client.SocksLevel = Settings.SocksLevel;
    Client.SocksUsercode = Settings.SocksUsercode;
    Client.SocksPassword = Settings.SocksPassword;
    Client.SocksAuthentication = Settings.SocksUsercode.empty() ? socksNoAuthentication : socksAuthenticateUsercode;
}
