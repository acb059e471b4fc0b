#include "net/WSocketCore.h"

#include "net/winsock/WinSockSelect.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

void TCustomWSocket::Close() { CloseSocketInternal(true, 0); }

void TCustomWSocket::CloseSocketInternal(bool ShutdownFirst, uint16_t Error)
{
    const TAliveWatch alive = FAlive.Watch();
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed) {
            ChangeState(wsClosed);
            if (!alive)
                return;
            Ignoring([&] { ResetDefaults(); });
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
    if (!alive)
        return;
    if (!FDestroying && !FCloseInvoked && OnSessionClosed) {
        FCloseInvoked = true;
        FireSessionClosed(Error);
        if (!alive)
            return;
    }
    Ignoring([&] { ResetDefaults(); });
}

void TCustomWSocket::Abort()
{
    const TAliveWatch alive = FAlive.Watch();
    CancelDnsLookup();
    if (!alive)
        return;
    DeleteBufferedData();
    if (FState == wsConnected && FProto == IPPROTO_TCP) {
        FLingerOnOff = wsLingerOff;
        SetLingerOption();
    }
    CloseSocketInternal(false, 0);
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
