#include "net/WSocketCore.h"

#include "net/WSocketResolve.h"
#include "net/winsock/WinSockSelect.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr uint16_t kConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE; // 0x3B
constexpr uint16_t kListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;               // 0x2B
constexpr uint16_t kConnectedEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;           // 0x33
}

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

void TCustomWSocket::OpenSocket(const char* FailureName)
{
    FHSocket = ::socket(PF_INET, (FType == 2 ? SOCK_DGRAM : SOCK_STREAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, FProto);
    if (FHSocket == INVALID_SOCKET) {
        WSocketSetLastErrorFromErrno();
        SocketError(FailureName);
        return;
    }
    FSelect = std::make_unique<TAsyncSelect>(FHSocket, FType == 2, FWindow.get(), WM_SOCKET_EVENT, ++FSerial);
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
    try {
        WSocketLoad();
        ResolveAll();
    } catch (const std::exception& E) {
        ReportError(std::string("connect: ") + E.what());
        return;
    }
    DeleteBufferedData();
    const auto alive = AliveToken();
    OpenSocket("Connect (socket)");
    if (FHSocket == INVALID_SOCKET)
        return;
    ChangeState(wsOpened);
    if (alive.expired())
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
        ChangeState(wsConnected);
        if (alive.expired())
            return;
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

void TCustomWSocket::Close() { CloseSocketInternal(true, 0); }

void TCustomWSocket::CloseSocketInternal(bool ShutdownFirst, uint16_t Error)
{
    const auto alive = AliveToken();
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed) {
            ChangeState(wsClosed);
            if (alive.expired())
                return;
            try {
                ResetDefaults();
            } catch (...) {
            }
        }
        return;
    }
    if (FState == wsClosed)
        return;
    if (ShutdownFirst)
        ::shutdown(FHSocket, SHUT_WR);
    // Linux releases the descriptor even when close reports a failure.
    FSelect.reset();
    const int r = ::close(FHSocket);
    FHSocket = INVALID_SOCKET;
    if (r < 0 && errno != EINTR) {
        WSocketSetLastErrorFromErrno();
        FLastError = WSAGetLastError();
        SocketError("Disconnect (closesocket)");
        return;
    }
    ChangeState(wsClosed);
    if (alive.expired())
        return;
    if (!FDestroying && !FCloseInvoked && OnSessionClosed) {
        FCloseInvoked = true;
        FireSessionClosed(Error);
        if (alive.expired())
            return;
    }
    try {
        ResetDefaults();
    } catch (...) {
    }
}

void TCustomWSocket::Abort()
{
    const auto alive = AliveToken();
    CancelDnsLookup();
    if (alive.expired())
        return;
    DeleteBufferedData();
    if (FState == wsConnected && FProto == IPPROTO_TCP) {
        FLingerOnOff = wsLingerOff;
        SetLingerOption();
    }
    CloseSocketInternal(false, 0);
}

void TCustomWSocket::Listen()
{
    if (!FPortAssigned || !FProtoAssigned || !FAddrAssigned) {
        WSASetLastError(WSAEINVAL);
        SocketError(!FPortAssigned    ? "listen: port not assigned"
                    : !FProtoAssigned ? "listen: protocol not assigned"
                                      : "listen: address not assigned");
        return;
    }
    try {
        WSocketLoad();
        ResolveAll();
    } catch (const std::exception& E) {
        ReportError(std::string("listen: ") + E.what());
        return;
    }
    DeleteBufferedData();
    const auto alive = AliveToken();
    OpenSocket("socket");
    if (FHSocket == INVALID_SOCKET)
        return;
    // Opened first, so that a failed bind closes the descriptor again.
    ChangeState(wsOpened);
    if (alive.expired())
        return;
    if (::bind(FHSocket, reinterpret_cast<const sockaddr*>(&FSin), sizeof FSin) < 0) {
        WSocketSetLastErrorFromErrno();
        try {
            SocketError("Bind");
        } catch (...) {
            if (!alive.expired())
                Close();
            throw;
        }
        if (!alive.expired())
            Close();
        return;
    }
    ChangeState(wsBound);
    if (alive.expired())
        return;
    if (FType == 2) {
        ChangeState(wsListening);
        if (alive.expired())
            return;
        ChangeState(wsConnected);
        if (alive.expired())
            return;
        FireSessionConnected(0);
        if (alive.expired())
            return;
    } else {
        if (::listen(FHSocket, 5) < 0) {
            WSocketSetLastErrorFromErrno();
            SocketError("Listen");
            return;
        }
        ChangeState(wsListening);
        if (alive.expired())
            return;
    }
    StartAsyncSelect(kListenEvents, "WSAASyncSelect");
}

TSocket TCustomWSocket::Accept()
{
    if (FState != wsListening) {
        WSASetLastError(WSAEINVAL);
        SocketError("not a listening socket");
        return INVALID_SOCKET;
    }
    socklen_t len = sizeof FSin;
    FAcceptedHandle = ::accept4(FHSocket, reinterpret_cast<sockaddr*>(&FSin), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (FAcceptedHandle == INVALID_SOCKET)
        WSocketSetLastErrorFromErrno();
    if (FSelect)
        FSelect->ReEnable(FD_ACCEPT);
    if (FAcceptedHandle == INVALID_SOCKET) {
        SocketError("Accept");
        return INVALID_SOCKET;
    }
    return FAcceptedHandle;
}

void TCustomWSocket::Dup(TSocket NewHSocket)
{
    if (NewHSocket == 0 || NewHSocket == INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        SocketError("Dup");
        return;
    }
    const auto alive = AliveToken();
    if (FState != wsClosed) {
        FSelect.reset();
        const int r = FHSocket == INVALID_SOCKET ? 0 : ::close(FHSocket);
        FHSocket = INVALID_SOCKET;
        if (r < 0 && errno != EINTR) {
            WSocketSetLastErrorFromErrno();
            SocketError("Dup (closesocket)");
            return;
        }
        ChangeState(wsClosed);
        if (alive.expired())
            return;
    }
    ReleaseHandle();
    FHSocket = NewHSocket;
    fcntl(FHSocket, F_SETFL, fcntl(FHSocket, F_GETFL) | O_NONBLOCK);
    FSelect = std::make_unique<TAsyncSelect>(FHSocket, false, FWindow.get(), WM_SOCKET_EVENT, ++FSerial);
    SetLingerOption();
    StartAsyncSelect(kConnectedEvents, "WSAAsyncSelect");
    ChangeState(wsConnected);
}

void TCustomWSocket::Shutdown(int How)
{
    if (FHSocket != INVALID_SOCKET)
        ::shutdown(FHSocket, How);
}

void TCustomWSocket::Pause()
{
    FPaused = true;
    if (FSelect)
        FSelect->Select(0);
}

void TCustomWSocket::Resume()
{
    FPaused = false;
    if (FSelect)
        FSelect->Select(kConnectedEvents);
}

std::string TCustomWSocket::PeerAddress()
{
    if (FState != wsConnected)
        return "error";
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    if (getpeername(FHSocket, reinterpret_cast<sockaddr*>(&peer), &len) < 0) {
        WSocketSetLastErrorFromErrno();
        SocketError("GetPeerName");
        return "error";
    }
    char text[INET_ADDRSTRLEN];
    return inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
}

int TCustomWSocket::GetPeerName(sockaddr_in& Name, int NameLen)
{
    if (FState != wsConnected)
        return SOCKET_ERROR;
    socklen_t len = NameLen;
    const int r = getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Name), &len);
    if (r < 0)
        WSocketSetLastErrorFromErrno();
    return r;
}

int TCustomWSocket::LocalAddress(sockaddr_in& Name, int NameLen)
{
    socklen_t len = NameLen;
    const int r = getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Name), &len);
    if (r < 0)
        WSocketSetLastErrorFromErrno();
    return r;
}

std::string TCustomWSocket::LocalPortText()
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return "error";
    sockaddr_in local{};
    if (LocalAddress(local, sizeof local) < 0)
        return "error";
    return std::to_string(ntohs(local.sin_port));
}
