#pragma once
#include <string>

class TIniFile;
class THttpCli;

// The user's proxies from the settings file (section "Options"): an HTTP
// proxy ("ProxyServer", "ProxyPort") and a SOCKS server under every
// connection ("SocksServer", "SocksPort", "SocksLevel", "SocksUsercode",
// "SocksPassword"). All empty, the default, leaves every request as it is.
// "TlsCaFile" names one more trusted CA (a PEM file) for https://.
struct TProxySettings {
    std::string ProxyServer;
    std::string ProxyPort;
    std::string SocksServer;
    std::string SocksPort;
    std::string SocksLevel;
    std::string SocksUsercode;
    std::string SocksPassword;
    std::string TlsCaFile;
};

TProxySettings ReadProxySettings(const TIniFile& Ini);
// Sets the client's proxy and SOCKS properties; a user code turns on user
// name and password authentication.
void ApplyProxySettings(const TProxySettings& Settings, THttpCli& Client);
