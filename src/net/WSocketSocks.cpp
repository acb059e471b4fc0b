#include "net/WSocketSocks.h"

#include "net/WSocketResolve.h"


TCustomSocksWSocket::TCustomSocksWSocket() { SocksResetDefaults(); }

void TCustomSocksWSocket::SocksResetDefaults()
{
    FSocksState = 0;
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksLevel = "5";
    FSocksPortAssigned = false;
    FSocksServerAssigned = false;
}

void TCustomSocksWSocket::ResetDefaults()
{
    TCustomWSocket::ResetDefaults();
    SocksResetDefaults();
}

void TCustomSocksWSocket::SetSocksServer(const std::string& Value)
{
    if (FState != wsClosed) {
        ReportError("Can't change socks server if not closed");
        return;
    }
    FSocksServer = WSocketTrim(Value);
    FSocksServerAssigned = !FSocksServer.empty();
}

void TCustomSocksWSocket::SetSocksPort(const std::string& Value)
{
    if (FState != wsClosed) {
        ReportError("Can't change socks port if not closed");
        return;
    }
    FSocksPort = WSocketTrim(Value);
    FSocksPortAssigned = !FSocksPort.empty();
}

void TCustomSocksWSocket::SetSocksLevel(const std::string& Value)
{
    if (FState != wsClosed) {
        ReportError("Can't change socks level if not closed");
        return;
    }
    if (Value != "4" && Value != "5" && Value != "4A" && Value != "4a") {
        ReportError("Invalid socks level. Must be 4, 4A or 5.");
        return;
    }
    FSocksLevel = Value == "4a" ? "4A" : Value;
}

void TCustomSocksWSocket::Connect()
{
    // The SOCKS exchange itself is not built yet; without a server the layer is transparent.
    if (FSocksServerAssigned) {
        ReportError("connect: SOCKS servers are not supported");
        return;
    }
    TCustomWSocket::Connect();
}

void TCustomSocksWSocket::Listen()
{
    if (FSocksServerAssigned) {
        ReportError("listening is not supported thru socks server");
        return;
    }
    TCustomWSocket::Listen();
}

void TCustomSocksWSocket::FireSocksConnected(uint16_t Error)
{
    if (auto handler = OnSocksConnected)
        handler(this, Error);
}

void TCustomSocksWSocket::FireSocksError(int Error, const std::string& Msg)
{
    if (auto handler = OnSocksError)
        handler(this, Error, Msg);
}
