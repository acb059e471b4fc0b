#include "net/WSocketCore.h"

#include "net/WSocketErrors.h"
#include "net/WSocketResolve.h"
#include "net/winsock/WinSockSelect.h"

#include <arpa/inet.h>

#include <cstdarg>
#include <cstdio>

TCustomWSocket::TCustomWSocket()
{
    FWindow = std::make_unique<TMessageWindow>([this](const TMessage& Msg) { WndProc(Msg); });
    CoreResetDefaults();
    WSocketAddLiveSocket();
}

TCustomWSocket::~TCustomWSocket()
{
    FDestroying = true;
    // Nothing is reported once destruction has begun.
    OnSessionAvailable = nullptr;
    OnSessionConnected = nullptr;
    OnSessionClosed = nullptr;
    OnChangeState = nullptr;
    OnDataAvailable = nullptr;
    OnDataSent = nullptr;
    OnLineTooLong = nullptr;
    OnDnsLookupDone = nullptr;
    OnError = nullptr;
    OnBgException = nullptr;
    Ignoring([&] { CancelDnsLookup(); });
    Ignoring([&] {
        if (FState != wsClosed)
            TCustomWSocket::Close();
    });
    ReleaseHandle();
    WSocketRemoveLiveSocket();
    FWindow.reset(); // drops the messages still queued
}

void TCustomWSocket::CoreResetDefaults()
{
    FAddrStr.clear();
    FAddrResolved = false;
    FAddrAssigned = false;
    FProto = IPPROTO_TCP;
    FProtoAssigned = true;
    FProtoResolved = false;
    FLocalPortResolved = false;
    FProtoStr = "tcp";
    FPortStr.clear();
    FPortAssigned = false;
    FPortResolved = false;
    FLocalPortStr = "0";
    FType = 1;
    FLingerOnOff = wsLingerOn;
    FLingerTimeout = 0;
    FAllSent = true;
    FReadCount = 0;
    FPaused = false;
    FCloseInvoked = false;
    FSin = sockaddr_in{};
    FSin.sin_family = AF_INET;
}

void TCustomWSocket::ResetDefaults() { CoreResetDefaults(); }

void TCustomWSocket::SetAddr(const std::string& Value)
{
    const std::string text = WSocketTrim(Value);
    if (FAddrAssigned && text == FAddrStr)
        return;
    if (FState != wsClosed) {
        ReportError("Cannot change Addr if not closed");
        return;
    }
    FAddrStr = text;
    FAddrAssigned = !text.empty();
    FAddrResolved = false;
}

void TCustomWSocket::SetPort(const std::string& Value)
{
    const std::string text = WSocketTrim(Value);
    if (FPortAssigned && text == FPortStr)
        return;
    if (FState != wsClosed) {
        ReportError("Cannot change Port if not closed");
        return;
    }
    FPortStr = text;
    FPortAssigned = !text.empty();
    FPortResolved = false;
}

void TCustomWSocket::SetProto(const std::string& Value)
{
    const std::string text = WSocketTrim(Value);
    if (FProtoAssigned && text == FProtoStr)
        return;
    if (FState != wsClosed) {
        ReportError("Cannot change Proto if not closed");
        return;
    }
    FProtoStr = text;
    FProtoAssigned = !text.empty();
    FProtoResolved = false;
}

void TCustomWSocket::SetLocalPort(const std::string& Value)
{
    if (FState != wsClosed) {
        ReportError("Cannot change LocalPort if not closed");
        return;
    }
    FLocalPortStr = Value;
    FLocalPortResolved = false;
}

TSocketSendFlags TCustomWSocket::SendFlags() const
{
    return FSendFlags == MSG_OOB ? wsSendUrgent : wsSendNormal;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags Value)
{
    FSendFlags = Value == wsSendUrgent ? MSG_OOB : 0;
}

void TCustomWSocket::ConnectTo(uint32_t HostAddr, uint16_t PortNum)
{
    FSin.sin_addr.s_addr = htonl(HostAddr);
    FAddrResolved = true;
    FSin.sin_port = htons(PortNum);
    FPortResolved = true;
}

void TCustomWSocket::ChangeState(TSocketState NewState)
{
    const TSocketState old = FState;
    FState = NewState;
    if (old != NewState)
        FireChangeState(old, NewState);
}

void TCustomWSocket::WndProc(const TMessage& Msg)
{
    RunMessage([&] {
        switch (Msg.Msg) {
        case WM_SOCKET_EVENT: HandleSocketEvent(Msg); break;
        case WM_SOCKET_NAME_LOOKUP: HandleLookupDone(Msg); break;
        case WM_SOCKET_ADDR_LOOKUP: HandleLookupDone(Msg); break;
        default: break;
        }
    });
}

void TCustomWSocket::HandleBackgroundError(const std::exception& E)
{
    bool canClose = true;
    if (InTurn([&] { Ignoring([&] { CallHandler(OnBgException, this, E, canClose); }); }) && canClose)
        Ignoring([&] { Abort(); });
}

void TCustomWSocket::SocketError(const std::string& FunctionName)
{
    const int n = WSAGetLastError();
    const std::string line = "Error " + std::to_string(n) + " in function " + FunctionName + "\r\n" +
                             WSocketErrorText(n);
    if (n == WSAECONNRESET || n == WSAENOTCONN) {
        ReleaseHandle();
        if (!InTurn([&] { ChangeState(wsClosed); }))
            return;
    }
    FLastError = n;
    ReportError(line);
}

void TCustomWSocket::ReportErrorFmt(const char* Fmt, ...)
{
    char text[1024];
    va_list args;
    va_start(args, Fmt);
    std::vsnprintf(text, sizeof text, Fmt, args);
    va_end(args);
    ReportError(text);
}

void TCustomWSocket::ReportError(const std::string& Msg)
{
    if (OnError) {
        FireError();
        return;
    }
    throw ESocketException(Msg);
}

bool TCustomWSocket::FireDataAvailable(uint16_t Error)
{
    if (!OnDataAvailable)
        return false;
    CallHandler(OnDataAvailable, this, Error);
    return true;
}

void TCustomWSocket::FireSessionAvailable(uint16_t Error)
{
    CallHandler(OnSessionAvailable, this, Error);
}

void TCustomWSocket::FireSessionConnected(uint16_t Error)
{
    CallHandler(OnSessionConnected, this, Error);
}

void TCustomWSocket::FireSessionClosed(uint16_t Error)
{
    CallHandler(OnSessionClosed, this, Error);
}

void TCustomWSocket::FireDataSent(uint16_t Error)
{
    CallHandler(OnDataSent, this, Error);
}

void TCustomWSocket::FireChangeState(TSocketState OldState, TSocketState NewState)
{
    CallHandler(OnChangeState, this, OldState, NewState);
}

void TCustomWSocket::FireDnsLookupDone(uint16_t Error)
{
    CallHandler(OnDnsLookupDone, this, Error);
}

void TCustomWSocket::FireError()
{
    CallHandler(OnError, this);
}
