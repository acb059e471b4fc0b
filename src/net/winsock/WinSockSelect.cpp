#include "net/winsock/WinSockSelect.h"

#include "platform/MessageWindow.h"

#include <QSocketNotifier>

#include <cerrno>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int SocketOption(TSocket s, int name)
{
    int value = 0;
    socklen_t len = sizeof value;
    if (getsockopt(s, SOL_SOCKET, name, &value, &len) < 0)
        return 0;
    return value;
}

// The notifier stays on between events, so the readiness it reports may be
// one a handler has already taken (a connection accepted, a datagram read).
bool Readable(TSocket s)
{
    pollfd p{s, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

// Made without ever being watched: every change to what the event loop
// watches wakes the loop once more.
std::unique_ptr<QSocketNotifier> DisabledNotifier(TSocket s, QSocketNotifier::Type type)
{
    auto notifier = std::make_unique<QSocketNotifier>(type);
    notifier->setSocket(s);
    return notifier;
}
}

TAsyncSelect::TAsyncSelect(TSocket Socket, bool Datagram, TMessageWindow* Window, uint32_t Msg, uint32_t Serial)
    : FSocket(Socket), FWindow(Window), FMsg(Msg), FSerial(Serial), FDatagram(Datagram)
{
    FReadNotifier = DisabledNotifier(Socket, QSocketNotifier::Read);
    QObject::connect(FReadNotifier.get(), &QSocketNotifier::activated, [this] { ReadReady(); });
    FWriteNotifier = DisabledNotifier(Socket, QSocketNotifier::Write);
    QObject::connect(FWriteNotifier.get(), &QSocketNotifier::activated, [this] { WriteReady(); });
}

TAsyncSelect::~TAsyncSelect()
{
    FReadNotifier->setEnabled(false);
    FWriteNotifier->setEnabled(false);
    if (FHangupNotifier) {
        FHangupNotifier->setEnabled(false);
        FHangupNotifier.reset();
    }
    if (FHangupFd >= 0)
        close(FHangupFd);
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
    if (FHangupFd < 0 && !FDatagram && !FListening) {
        FHangupFd = epoll_create1(EPOLL_CLOEXEC);
        epoll_event hangup{};
        hangup.events = EPOLLRDHUP; // errors and hang-ups are always reported
        if (FHangupFd < 0 || epoll_ctl(FHangupFd, EPOLL_CTL_ADD, FSocket, &hangup) < 0)
            return;
        FHangupNotifier = DisabledNotifier(FHangupFd, QSocketNotifier::Read);
        QObject::connect(FHangupNotifier.get(), &QSocketNotifier::activated, [this] { HangupReady(); });
    }
    Update();
}

void TAsyncSelect::Update()
{
    const bool read = !FConnecting && !FReadParked && !FClosed &&
                      (FEvents & (FD_READ | FD_ACCEPT | FD_CLOSE)) != 0;
    const bool write = FConnecting ? (FEvents & FD_CONNECT) != 0 : FWriteArmed && (FEvents & FD_WRITE) != 0;
    if (FReadNotifier->isEnabled() != read)
        FReadNotifier->setEnabled(read);
    if (FWriteNotifier->isEnabled() != write)
        FWriteNotifier->setEnabled(write);
    const bool hangup = FHangupNotifier && !FConnecting && !FListening && !FClosed && (FEvents & FD_CLOSE) != 0;
    if (FHangupNotifier && FHangupNotifier->isEnabled() != hangup)
        FHangupNotifier->setEnabled(hangup);
}

void TAsyncSelect::Post(uint16_t Event, int Error)
{
    if ((FEvents & Event) == 0)
        return;
    const intptr_t lParam = (static_cast<intptr_t>(FSerial) << 32) | ((Error & 0xFFFF) << 16) | Event;
    FWindow->PostMessage(FMsg, static_cast<uintptr_t>(FSocket), lParam);
}

void TAsyncSelect::ReadReady()
{
    if (!FReadArmed) {
        FReadParked = true;
        Update();
        return;
    }
    if ((FListening || FDatagram) && !Readable(FSocket))
        return;
    FReadArmed = false;
    if (FListening) {
        Post(FD_ACCEPT, 0);
    } else if (FDatagram) {
        Post(FD_READ, 0);
    } else {
        // One byte peeked tells data from the peer's close or a failure.
        char probe;
        const ssize_t n = recv(FSocket, &probe, 1, MSG_PEEK);
        if (n > 0) {
            Post(FD_READ, 0);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            FReadArmed = true;
        } else {
            PostClose(n == 0 ? SocketOption(FSocket, SO_ERROR) : errno);
        }
    }
    Update();
}

void TAsyncSelect::PostClose(int Errno)
{
    FClosed = true;
    Post(FD_CLOSE, WSocketErrnoToWsa(Errno));
}

void TAsyncSelect::HangupReady()
{
    epoll_event ready{};
    epoll_wait(FHangupFd, &ready, 1, 0);
    PostClose(SocketOption(FSocket, SO_ERROR));
    Update();
}

void TAsyncSelect::WriteReady()
{
    if (FConnecting) {
        FConnecting = false;
        const int error = WSocketErrnoToWsa(SocketOption(FSocket, SO_ERROR));
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
