#include "net/WSocketCore.h"

#include "net/winsock/WinSockSelect.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

void TCustomWSocket::Close() { CloseSocketInternal(true, 0); }

void TCustomWSocket::CloseSocketInternal(bool ShutdownFirst, uint16_t Error)
{
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed && InTurn([&] { ChangeState(wsClosed); }))
            Ignoring([&] { ResetDefaults(); });
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
    if (!InTurn([&] { ChangeState(wsClosed); }))
        return;
    if (!FDestroying && !FCloseInvoked && OnSessionClosed) {
        FCloseInvoked = true;
        if (!InTurn([&] { FireSessionClosed(Error); }))
            return;
    }
    Ignoring([&] { ResetDefaults(); });
}

void TCustomWSocket::Abort()
{
    if (!InTurn([&] { CancelDnsLookup(); }))
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
