#include "net/ProxySettings.h"

#include "net/HttpCli.h"
#include "platform/IniFile.h"

TProxySettings ReadProxySettings(const TIniFile& Ini)
{
    const char* const section = "Options";
    TProxySettings s;
    s.ProxyServer = Ini.ReadString(section, "ProxyServer", "");
    s.ProxyPort = Ini.ReadString(section, "ProxyPort", "80");
    s.SocksServer = Ini.ReadString(section, "SocksServer", "");
    s.SocksPort = Ini.ReadString(section, "SocksPort", "1080");
    s.SocksLevel = Ini.ReadString(section, "SocksLevel", "5");
    s.SocksUsercode = Ini.ReadString(section, "SocksUsercode", "");
    s.SocksPassword = Ini.ReadString(section, "SocksPassword", "");
    s.TlsCaFile = Ini.ReadString(section, "TlsCaFile", "");
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
