#include "net/HttpCli.h"

#include "net/WSocketResolve.h"

// A proxy or SOCKS server is handed the host as text, unlooked-up: a line
// break in it would forge request lines, so such a host ends like an unknown
// name. Without either, the lookup itself refuses it.
bool THttpCli::HostsFitForProxy() const
{
    if (Proxy.empty() && SocksServer.empty())
        return true;
    return !WSocketHasControlChar(FTargetHost) && !WSocketHasControlChar(FHostName);
}

// The socket forgets its SOCKS settings at every close: hand them over
// before every connect. The server's address is the lookup's result.
void THttpCli::HandSocksToSocket()
{
    FSocksErrorText.clear();
    if (SocksServer.empty())
        return;
    FCtrlSocket->SetSocksServer(FCtrlSocket->DnsResult());
    FCtrlSocket->SetSocksPort(SocksPort);
    FCtrlSocket->SetSocksLevel(SocksLevel);
    FCtrlSocket->SetSocksUsercode(SocksUsercode);
    FCtrlSocket->SetSocksPassword(SocksPassword);
    FCtrlSocket->SetSocksAuthentication(SocksAuthentication);
}
