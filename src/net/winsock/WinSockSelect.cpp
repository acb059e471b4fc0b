#include "net/winsock/WinSockSelect.h"

#include "platform/MessageWindow.h"

#include <cerrno>
#include <sys/epoll.h>
#include <sys/socket.h>

namespace {
int SocketOption(TSocket s, int name)
{
    int value = 0;
    socklen_t len = sizeof value;
    if (getsockopt(s, SOL_SOCKET, name, &value, &len) < 0)
        return 0;
    return value;
}

constexpr uint32_t kFailed = EPOLLERR | EPOLLHUP;

// The socket's pending error, asked for only when the events tell of one.
int ErrorOf(TSocket s, uint32_t events)
{
    return (events & kFailed) ? SocketOption(s, SO_ERROR) : 0;
}
}

TAsyncSelect::TAsyncSelect(TSocket Socket, bool Datagram, TMessageWindow* Window, uint32_t Msg, uint32_t Serial)
    : FSocket(Socket), FWindow(Window), FMsg(Msg), FSerial(Serial), FDatagram(Datagram)
{
}

TAsyncSelect::~TAsyncSelect()
{
    TReadinessSet::OfThisThread().Watch(FSocket, this, 0, FWatched);
}

void TAsyncSelect::Select(uint16_t Events, bool Connecting)
{
    FConnecting = FConnecting || Connecting;
    FEvents = Events;
    FListening = (Events & FD_ACCEPT) != 0 && (Events & FD_CONNECT) == 0 && !FDatagram &&
                 SocketOption(FSocket, SO_ACCEPTCONN) != 0;
    // A close seen while nothing was selected (paused) is reported again.
    FClosed = false;
    FReadArmed = true;
    FReadParked = false;
    // Like WinSock, a writable socket reports FD_WRITE once when selected.
    FWriteArmed = (Events & FD_WRITE) != 0 && !FListening;
    Update();
}

void TAsyncSelect::ReEnable(uint16_t Event)
{
    if (Event & (FD_READ | FD_ACCEPT)) {
        FReadArmed = true;
        FReadParked = false;
    }
    if (Event & FD_WRITE)
        FWriteArmed = true;
    Update();
}

void TAsyncSelect::WatchHangup()
{
    if (!FDatagram && !FListening)
        FWatchHangup = true;
    Update();
}

bool TAsyncSelect::HangupWatched() const
{
    return FWatchHangup && !FConnecting && !FListening && !FClosed && (FEvents & FD_CLOSE) != 0;
}

void TAsyncSelect::Update()
{
    const bool read = !FConnecting && !FReadParked && !FClosed &&
                      (FEvents & (FD_READ | FD_ACCEPT | FD_CLOSE)) != 0;
    const bool write = FConnecting ? (FEvents & FD_CONNECT) != 0 : FWriteArmed && (FEvents & FD_WRITE) != 0;
    // The peer's close is asked for with reading too: data without it needs no peek.
    const bool hangup = HangupWatched() || (read && !FDatagram && !FListening);
    const uint32_t events = (read ? uint32_t{EPOLLIN} : 0) | (write ? uint32_t{EPOLLOUT} : 0) |
                            (hangup ? uint32_t{EPOLLRDHUP} : 0);
    TReadinessSet::OfThisThread().Watch(FSocket, this, events, FWatched);
}

void TAsyncSelect::Ready(uint32_t Events)
{
    if ((FWatched & EPOLLOUT) && (Events & (EPOLLOUT | kFailed)))
        WriteReady(Events);
    if ((FWatched & EPOLLIN) && (Events & (EPOLLIN | kFailed)))
        ReadReady(Events);
    if (HangupWatched() && (Events & (EPOLLRDHUP | kFailed)))
        HangupReady(Events);
}

void TAsyncSelect::Post(uint16_t Event, int Error)
{
    if ((FEvents & Event) == 0)
        return;
    const TSocketNotice notice{FSerial, static_cast<uint16_t>(Error), Event};
    FWindow->PostMessage(FMsg, static_cast<uintptr_t>(FSocket), notice.Pack());
}

void TAsyncSelect::ReadReady(uint32_t Events)
{
    if (!FReadArmed) {
        FReadParked = true;
        Update();
        return;
    }
    FReadArmed = false;
    if (FListening) {
        Post(FD_ACCEPT, 0);
    } else if (FDatagram || (Events & (EPOLLRDHUP | kFailed)) == 0) {
        Post(FD_READ, 0);
    } else {
        // One byte peeked tells data before the peer's close from the close.
        char probe;
        const ssize_t n = recv(FSocket, &probe, 1, MSG_PEEK);
        if (n > 0) {
            Post(FD_READ, 0);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            FReadArmed = true;
        } else {
            PostClose(n == 0 ? ErrorOf(FSocket, Events) : errno);
        }
    }
    Update();
}

void TAsyncSelect::PostClose(int Errno)
{
    FClosed = true;
    Post(FD_CLOSE, WSocketErrnoToWsa(Errno));
}

void TAsyncSelect::HangupReady(uint32_t Events)
{
    PostClose(ErrorOf(FSocket, Events));
    Update();
}

void TAsyncSelect::WriteReady(uint32_t Events)
{
    if (FConnecting) {
        FConnecting = false;
        const int error = WSocketErrnoToWsa(ErrorOf(FSocket, Events));
        Post(FD_CONNECT, error);
        if (error == 0 && FWriteArmed)
            Post(FD_WRITE, 0);
        else if (error != 0)
            FClosed = true;
        FWriteArmed = false;
    } else {
        FWriteArmed = false;
        Post(FD_WRITE, 0);
    }
    Update();
}
