#include "net/WSocketSocks.h"

#include "net/WSocketResolve.h"
#include "net/winsock/WinSockDns.h"

#include <arpa/inet.h>

#include <cctype>

TCustomSocksWSocket::TCustomSocksWSocket() { SocksResetDefaults(); }

TCustomSocksWSocket::~TCustomSocksWSocket() { CancelSocksLookup(); }

void TCustomSocksWSocket::SocksResetDefaults()
{
    CancelSocksLookup();
    FExchange.reset();
    FSocksServer.clear();
    FSocksPort.clear();
    FSocksLevel = "5";
    FSocksServerAssigned = false;
}

void TCustomSocksWSocket::CancelSocksLookup()
{
    if (FSocksLookup != 0)
        WSACancelAsyncRequest(FSocksLookup);
    FSocksLookup = 0;
}

void TCustomSocksWSocket::ResetDefaults()
{
    TCustomWSocket::ResetDefaults();
    SocksResetDefaults();
}

void TCustomSocksWSocket::SetSocksServer(const std::string& Value)
{
    if (State() != wsClosed) {
        ReportError("Can't change socks server if not closed");
        return;
    }
    FSocksServer = WSocketTrim(Value);
    FSocksServerAssigned = !FSocksServer.empty();
}

void TCustomSocksWSocket::SetSocksPort(const std::string& Value)
{
    if (State() != wsClosed) {
        ReportError("Can't change socks port if not closed");
        return;
    }
    FSocksPort = WSocketTrim(Value);
}

void TCustomSocksWSocket::SetSocksLevel(const std::string& Value)
{
    if (State() != wsClosed) {
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
    if (!FSocksServerAssigned || (Handle() != INVALID_SOCKET && State() != wsClosed)) {
        TCustomWSocket::Connect();
        return;
    }
    std::string proto = Proto();
    for (char& c : proto)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (proto != "tcp") {
        ReportError("tcp is the only protocol supported thru socks server");
        return;
    }
    try {
        WSocketLoad();
        // The core connects to the server, not to Addr.
        const uint16_t serverPort = WSocketResolvePort(FSocksPort, "tcp");
        ConnectTo(WSocketResolveHost(FSocksServer), serverPort);
        FSocksDestPort = WSocketResolvePort(Port(), "tcp");
    } catch (const std::exception& E) {
        ReportError(std::string("connect: ") + E.what());
        return;
    }
    // Only a connect under way leads to the exchange: a refused one leaves no trace.
    if (InTurn([&] { TCustomWSocket::Connect(); }) && State() == wsConnecting)
        FExchange = std::make_unique<TSocksExchange>(TSocksRequest{
            FSocksLevel, FSocksAuthentication, FSocksUsercode, FSocksPassword, Addr(), FSocksDestPort});
}

void TCustomSocksWSocket::Listen()
{
    if (FSocksServerAssigned) {
        ReportError("listening is not supported thru socks server");
        return;
    }
    TCustomWSocket::Listen();
}

void TCustomSocksWSocket::WndProc(const TMessage& Msg)
{
    if (Msg.Msg != WM_SOCKET_SOCKS_LOOKUP) {
        TCustomWSocket::WndProc(Msg);
        return;
    }
    RunMessage([&] { Level4LookupDone(Msg); });
}

void TCustomSocksWSocket::FireSessionConnected(uint16_t Error)
{
    if (!SocksBusy()) {
        TCustomWSocket::FireSessionConnected(Error);
        return;
    }
    if (!InTurn([&] { FireSocksConnected(Error); }))
        return;
    if (Error != 0) {
        FExchange.reset();
        TCustomWSocket::FireSessionConnected(Error);
        return;
    }
    if (FSocksLevel == "4")
        StartLevel4();
    else
        Carry(FExchange->Start());
}

// Version 4 carries the destination's address: a name is looked up first,
// on the event loop like every other lookup.
void TCustomSocksWSocket::StartLevel4()
{
    if (!Addr().empty() && std::isdigit(static_cast<unsigned char>(Addr()[0]))) {
        uint32_t addr = 0;
        try {
            addr = WSocketResolveHost(Addr()); // a dotted address: no lookup
        } catch (const std::exception& E) {
            Level4LookupFailed(E.what());
            return;
        }
        Carry(FExchange->Start(addr));
        return;
    }
    FSocksLookup = WSAAsyncGetHostByName(HWindow(), WM_SOCKET_SOCKS_LOOKUP, Addr());
    if (FSocksLookup == 0)
        Level4LookupFailed("WSocketResolveHost: Cannot convert host address '" + Addr() + "'");
}

void TCustomSocksWSocket::Level4LookupDone(const TMessage& Msg)
{
    if (IsStaleMessage(Msg.WParam, FSocksLookup))
        return;
    const std::vector<std::string> result = WSocketTakeLookupResult(FSocksLookup);
    FSocksLookup = 0;
    const uint16_t error = TSocketNotice::Unpack(Msg.LParam).Error;
    if (error != 0 || result.empty()) {
        Level4LookupFailed("WSocketResolveHost: Cannot convert host address '" + Addr() + "'");
        return;
    }
    Carry(FExchange->Start(ntohl(inet_addr(result.front().c_str()))));
}

void TCustomSocksWSocket::Level4LookupFailed(const std::string& Msg)
{
    Carry(FailureStep(socksLookupFailed, "ESocketException " + Msg));
}

TSocksStep TCustomSocksWSocket::FailureStep(int Error, const std::string& Text) const
{
    TSocksStep step;
    if (Authenticating())
        step.AuthState = authFailure;
    step.Error = Error;
    step.Text = Text;
    return step;
}

bool TCustomSocksWSocket::FireDataAvailable(uint16_t Error)
{
    if (!SocksBusy())
        return TCustomWSocket::FireDataAvailable(Error);
    if (Error != 0) {
        Carry(FailureStep(Error, "data receive error"));
        return true;
    }
    // Only the reply's own bytes are read: what follows it is the user's.
    const int room = FExchange->Room();
    const bool replying = room > 0;
    uint8_t reply[TSocksExchange::ReplySize];
    const int n = TCustomWSocket::RecvRaw(reply, replying ? room : 1, 0);
    if (n < 0) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            Carry(FailureStep(error, "data receive error"));
        return true;
    }
    if (n == 0)
        Carry(FailureStep(WSAECONNRESET, "socks server closed the connection"));
    else if (!replying)
        Carry(FailureStep(socksLogicError, "TWSocket logic error")); // the server spoke before it was asked
    else
        Carry(FExchange->Feed(reply, n));
    return true;
}

void TCustomSocksWSocket::Carry(const TSocksStep& Step)
{
    // A failure seen by the socket (not by the exchange) ends the exchange too.
    if (Step.Failed())
        FExchange.reset();
    if (Step.AuthState && !InTurn([&] { FireSocksAuthState(*Step.AuthState); }))
        return;
    if (!Step.Send.empty() &&
        !InTurn([&] { Ignoring([&] { Send(Step.Send.data(), static_cast<int>(Step.Send.size())); }); }))
        return;
    if (Step.Failed()) {
        CancelSocksLookup();
        const auto error = static_cast<uint16_t>(Step.Error);
        if (InTurn([&] { FireSocksError(Step.Error, Step.Text); },
                   [&] { TCustomWSocket::FireSessionConnected(error); }))
            CloseSocketInternal(true, error);
        return;
    }
    if (Step.Done) {
        FBoundAddr = FExchange->BoundAddr();
        FBoundPort = FExchange->BoundPort();
        TCustomWSocket::FireSessionConnected(0);
    }
}

void TCustomSocksWSocket::FireSessionClosed(uint16_t Error)
{
    if (Authenticating() && !InTurn([&] { FireSocksAuthState(authFailure); }))
        return;
    TCustomWSocket::FireSessionClosed(Error);
}

void TCustomSocksWSocket::FireSocksConnected(uint16_t Error)
{
    CallHandler(OnSocksConnected, this, Error);
}

void TCustomSocksWSocket::FireSocksError(int Error, const std::string& Msg)
{
    CallHandler(OnSocksError, this, Error, Msg);
}

void TCustomSocksWSocket::FireSocksAuthState(TSocksAuthState AuthState)
{
    CallHandler(OnSocksAuthState, this, AuthState);
}
