#include "net/WSocketCore.h"

#include "net/WSocketResolve.h"
#include "net/winsock/WinSockSelect.h"

#include <arpa/inet.h>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

void TCustomWSocket::ResolveAll()
{
    if (!FProtoResolved) {
        FProto = WSocketResolveProto(FProtoStr);
        FType = FProto == IPPROTO_UDP ? 2 : 1;
        FProtoResolved = true;
    }
    if (!FPortResolved) {
        FPortNum = WSocketResolvePort(FPortStr, FProtoStr);
        FSin.sin_port = htons(FPortNum);
        FPortResolved = true;
    }
    if (!FLocalPortResolved) {
        FLocalPortNum = WSocketResolvePort(FLocalPortStr, FProtoStr);
        FLocalPortResolved = true;
    }
    if (!FAddrResolved) {
        FSin.sin_addr.s_addr = htonl(WSocketResolveHost(FAddrStr));
        FAddrResolved = true;
    }
}

bool TCustomWSocket::OpenSocket(const char* Operation, const char* FailureName)
{
    try {
        WSocketLoad();
        ResolveAll();
    } catch (const std::exception& E) {
        ReportError(std::string(Operation) + ": " + E.what());
        return false;
    }
    DeleteBufferedData();
    FHSocket = ::socket(PF_INET, (FType == 2 ? SOCK_DGRAM : SOCK_STREAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, FProto);
    if (FHSocket == INVALID_SOCKET) {
        WSocketSetLastErrorFromErrno();
        SocketError(FailureName);
        return false;
    }
    FSelect = std::make_unique<TAsyncSelect>(FHSocket, FType == 2, FWindow.get(), WM_SOCKET_EVENT, ++FSerial);
    return InTurn([&] { ChangeState(wsOpened); });
}

// Stops the notifications before the descriptor is released.
void TCustomWSocket::ReleaseHandle()
{
    FSelect.reset();
    if (FHSocket != INVALID_SOCKET)
        ::close(FHSocket);
    FHSocket = INVALID_SOCKET;
}

void TCustomWSocket::StartAsyncSelect(uint16_t Events, const char* FailureName)
{
    if (!FSelect) {
        WSASetLastError(WSAENOTSOCK);
        SocketError(FailureName);
        return;
    }
    FSelect->Select(Events);
}

void TCustomWSocket::Connect()
{
    if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        ReportError("Connect: Socket already in use");
        return;
    }
    if (!FPortAssigned) {
        ReportError("Connect: No Port Specified");
        return;
    }
    if (!FAddrAssigned) {
        ReportError("Connect: No IP Address Specified");
        return;
    }
    if (!FProtoAssigned) {
        ReportError("Connect: No Protocol Specified");
        return;
    }
    if (!OpenSocket("connect", "Connect (socket)"))
        return;
    if (FType == 2) {
        BindLocal();
        if (FSin.sin_addr.s_addr == INADDR_BROADCAST) {
            const int on = 1;
            if (setsockopt(FHSocket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0) {
                WSocketSetLastErrorFromErrno();
                SocketError("setsockopt(SO_BROADCAST)");
                return;
            }
        }
    } else {
        if (FLocalPortNum != 0)
            BindLocal();
        SetLingerOption();
        const int on = 1;
        if (setsockopt(FHSocket, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) < 0) {
            WSocketSetLastErrorFromErrno();
            SocketError("setsockopt(SO_KEEPALIVE)");
            return;
        }
        if (setsockopt(FHSocket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0) {
            WSocketSetLastErrorFromErrno();
            SocketError("setsockopt(SO_REUSEADDR)");
            return;
        }
    }
    if (FType == 2) {
        StartAsyncSelect(kConnectEvents, "WSAAsyncSelect");
        if (InTurn([&] { ChangeState(wsConnected); }))
            FireSessionConnected(0);
        return;
    }
    // Selected once the connect's fate is known, so that the event loop is
    // told only once what to watch.
    const bool started =
        ::connect(FHSocket, reinterpret_cast<const sockaddr*>(&FSin), sizeof FSin) == 0 || errno == EINPROGRESS;
    const int connectErrno = errno;
    FSelect->Select(kConnectEvents, started);
    if (started) {
        ChangeState(wsConnecting);
        return;
    }
    errno = connectErrno;
    WSocketSetLastErrorFromErrno();
    FLastError = WSAGetLastError();
    SocketError("Connect");
}

void TCustomWSocket::BindLocal()
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(FLocalPortNum);
    if (::bind(FHSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0) {
        WSocketSetLastErrorFromErrno();
        ReportErrorFmt("winsock.bind failed, error #%d", WSAGetLastError());
        return;
    }
    socklen_t len = sizeof local;
    if (getsockname(FHSocket, reinterpret_cast<sockaddr*>(&local), &len) < 0) {
        WSocketSetLastErrorFromErrno();
        ReportErrorFmt("winsock.getsockname failed, error #%d", WSAGetLastError());
        return;
    }
    FLocalPortNum = ntohs(local.sin_port);
    FLocalPortStr = std::to_string(FLocalPortNum);
}

void TCustomWSocket::SetLingerOption()
{
    if (FLingerOnOff == wsLingerNoSet)
        return;
    if (FHSocket == INVALID_SOCKET) {
        ReportError("Cannot set linger option at this time");
        return;
    }
    const linger value{FLingerOnOff == wsLingerOn ? 1 : 0, FLingerTimeout};
    if (setsockopt(FHSocket, SOL_SOCKET, SO_LINGER, &value, sizeof value) < 0) {
        WSocketSetLastErrorFromErrno();
        SocketError("setsockopt(SO_LINGER)");
    }
}
