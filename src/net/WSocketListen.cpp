#include "net/WSocketCore.h"

#include "net/winsock/WinSockSelect.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

void TCustomWSocket::Listen()
{
    if (!FPortAssigned || !FProtoAssigned || !FAddrAssigned) {
        WSASetLastError(WSAEINVAL);
        SocketError(!FPortAssigned    ? "listen: port not assigned"
                    : !FProtoAssigned ? "listen: protocol not assigned"
                                      : "listen: address not assigned");
        return;
    }
    // Opened first, so that a failed bind closes the descriptor again.
    if (!OpenSocket("listen", "socket"))
        return;
    if (::bind(FHSocket, reinterpret_cast<const sockaddr*>(&FSin), sizeof FSin) < 0) {
        WSocketSetLastErrorFromErrno();
        const TAliveWatch alive = Watch();
        try {
            SocketError("Bind");
        } catch (...) {
            if (alive)
                Close();
            throw;
        }
        if (alive)
            Close();
        return;
    }
    if (!InTurn([&] { ChangeState(wsBound); }))
        return;
    if (FType == 2) {
        if (!InTurn([&] { ChangeState(wsListening); }, [&] { ChangeState(wsConnected); },
                    [&] { FireSessionConnected(0); }))
            return;
    } else {
        if (::listen(FHSocket, 5) < 0) {
            WSocketSetLastErrorFromErrno();
            SocketError("Listen");
            return;
        }
        if (!InTurn([&] { ChangeState(wsListening); }))
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
    if (FState != wsClosed) {
        FSelect.reset();
        const int r = FHSocket == INVALID_SOCKET ? 0 : ::close(FHSocket);
        FHSocket = INVALID_SOCKET;
        if (r < 0 && errno != EINTR) {
            WSocketSetLastErrorFromErrno();
            SocketError("Dup (closesocket)");
            return;
        }
        if (!InTurn([&] { ChangeState(wsClosed); }))
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
