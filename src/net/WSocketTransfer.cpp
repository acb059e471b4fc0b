#include "net/WSocketCore.h"

#include "net/winsock/WinSockSelect.h"

#include <cerrno>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace {
bool LostConnection(int error)
{
    return error == WSAEINVAL || error == WSAENOTSOCK || error == WSAECONNRESET || error == WSAENOTCONN;
}
}

intptr_t TCustomWSocket::EventParam(uint16_t Events, uint16_t Error) const
{
    return TSocketNotice{FSerial, Error, Events}.Pack();
}

void TCustomWSocket::HandleSocketEvent(const TMessage& Msg)
{
    if (static_cast<TSocket>(Msg.WParam) != FHSocket || FPaused)
        return;
    const TSocketNotice notice = TSocketNotice::Unpack(Msg.LParam);
    // Sent for an earlier connection that happened to use the same descriptor.
    if (IsStaleMessage(notice.Serial, FSerial))
        return;
    const uint16_t events = notice.Events;
    const uint16_t error = notice.Error;
    if ((events & FD_CONNECT) &&
        !InTurn([&] { ChangeState(wsConnected); }, [&] { FireSessionConnected(error); },
                [&] {
                    if (error != 0 && FState != wsClosed)
                        Close();
                }))
        return;
    if ((events & FD_READ) && !InTurn([&] { ReceiveLoop(error); }))
        return;
    if ((events & FD_WRITE) && !InTurn([&] { TryToSend(); },
                                       [&] {
                                           if (FAllSent)
                                               FireDataSent(error);
                                       }))
        return;
    if ((events & FD_ACCEPT) && !InTurn([&] { FireSessionAvailable(error); }))
        return;
    if ((events & FD_CLOSE) && FState != wsConnecting) {
        // A handler that closed the socket meanwhile has told the user already.
        if (!InTurn([&] { ReceiveLoop(0); }) || FHSocket == INVALID_SOCKET)
            return;
        if (OnSessionClosed && !FCloseInvoked) {
            FCloseInvoked = true;
            if (!InTurn([&] { FireSessionClosed(error); }))
                return;
        }
        if (FState != wsClosed)
            Close();
    }
}

void TCustomWSocket::ReceiveLoop(uint16_t Error)
{
    bool drained = false;
    // A handler's exception ends the loop and goes no further.
    bool more = true;
    const bool lives = InTurn([&] {
        while (more && Ignoring([&] { more = ReceivePass(Error, drained); })) {
        }
    });
    // Unread data leaves FD_READ waiting for a receive; the peer's close must still come.
    if (lives && !drained && FSelect)
        FSelect->WatchHangup();
}

bool TCustomWSocket::ReceivePass(uint16_t Error, bool& Drained)
{
    const TAliveWatch alive = FAlive.Watch();
    FLastError = 0;
    const unsigned recvCalls = FRecvCalls;
    FRecvDrained.reset();
    if (!FireDataAvailable(Error)) {
        if (!alive)
            return false;
        char dummy[1024];
        if (Receive(dummy, sizeof dummy) < 0 && FLastError == WSAEWOULDBLOCK) {
            FLastError = 0;
            Drained = true;
            return false;
        }
    }
    if (!alive || FLastError != 0 || FHSocket == INVALID_SOCKET)
        return false;
    int pending = 0;
    if (!FRecvDrained && ioctl(FHSocket, FIONREAD, &pending) < 0) {
        WSocketSetLastErrorFromErrno();
        FLastError = WSAGetLastError();
        return false;
    }
    Drained = FRecvDrained.value_or(pending == 0) && !BytesHeld();
    // A handler that reads nothing would be called without end.
    return !Drained && FRecvCalls != recvCalls;
}

int TCustomWSocket::RcvdCount()
{
    int pending = 0;
    if (ioctl(FHSocket, FIONREAD, &pending) < 0) {
        WSocketSetLastErrorFromErrno();
        SocketError("ioctlSocket");
        return -1;
    }
    return pending;
}

int TCustomWSocket::RecvRaw(void* Buffer, int Len, int Flags)
{
    const auto n = static_cast<int>(::recv(FHSocket, Buffer, Len, Flags));
    const int error = errno;
    if (n < 0)
        WSocketSetLastErrorFromErrno();
    NoteRawRead();
    if ((Flags & MSG_PEEK) == 0)
        FRecvDrained = n < 0 ? error == EAGAIN : n < Len;
    return n;
}

void TCustomWSocket::NoteRawRead()
{
    ++FRecvCalls;
    if (FSelect)
        FSelect->ReEnable(FD_READ);
}

void TCustomWSocket::ArmWrite()
{
    if (FSelect)
        FSelect->ReEnable(FD_WRITE);
}

void TCustomWSocket::PostReadEvent()
{
    if (FHSocket != INVALID_SOCKET)
        FWindow->PostMessage(WM_SOCKET_EVENT, static_cast<uintptr_t>(FHSocket), EventParam(FD_READ));
}

int TCustomWSocket::RecvFromRaw(void* Buffer, int Len, sockaddr_in& From, int& FromLen)
{
    ++FRecvCalls;
    socklen_t len = FromLen;
    const auto n = static_cast<int>(::recvfrom(FHSocket, Buffer, Len, 0, reinterpret_cast<sockaddr*>(&From), &len));
    if (n < 0)
        WSocketSetLastErrorFromErrno();
    else
        FromLen = static_cast<int>(len);
    if (FSelect)
        FSelect->ReEnable(FD_READ);
    return n;
}

int TCustomWSocket::Receive(void* Buffer, int Len)
{
    const int n = RecvRaw(Buffer, Len, 0);
    if (n < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += n;
    return n;
}

std::string TCustomWSocket::ReceiveText()
{
    const int count = RcvdCount();
    if (count <= 0)
        return {};
    std::string text(count, '\0');
    const int n = Receive(text.data(), count);
    text.resize(n > 0 ? n : 0);
    return text;
}

int TCustomWSocket::ReceiveFrom(void* Buffer, int Len, sockaddr_in& From, int& FromLen)
{
    const int n = RecvFromRaw(Buffer, Len, From, FromLen);
    if (n < 0)
        FLastError = WSAGetLastError();
    else
        FReadCount += n;
    return n;
}

int TCustomWSocket::Send(const void* Data, int Len)
{
    if (FState != wsConnected) {
        WSASetLastError(WSAENOTCONN);
        SocketError("Send");
        return -1;
    }
    FAllSent = false;
    if (Len <= 0)
        Len = 0;
    else
        PutDataInSendBuffer(Data, Len);
    if (!InTurn([&] { TryToSend(); }))
        return Len;
    // OnDataSent comes from the event loop, never from inside Send.
    if (FAllSent && FHSocket != INVALID_SOCKET)
        FWindow->PostMessage(WM_SOCKET_EVENT, static_cast<uintptr_t>(FHSocket), EventParam(FD_WRITE));
    return Len;
}

int TCustomWSocket::SendText(const std::string& Str) { return Send(Str.data(), static_cast<int>(Str.size())); }

int TCustomWSocket::SendTo(const sockaddr_in& Dest, int DestLen, const void* Data, int Len)
{
    const sockaddr_in dest = Dest;
    const auto n = static_cast<int>(::sendto(FHSocket, Data, Len, FSendFlags | MSG_NOSIGNAL,
                                             reinterpret_cast<const sockaddr*>(&dest),
                                             static_cast<socklen_t>(DestLen)));
    if (n < 0)
        WSocketSetLastErrorFromErrno();
    return n;
}

void TCustomWSocket::PutDataInSendBuffer(const void* Data, int Len)
{
    const auto* p = static_cast<const char*>(Data);
    while (Len > 0) {
        if (FBufList.empty() || FBufList.back()->Full())
            FBufList.push_back(std::make_unique<TBuffer>(FBufSize));
        const int n = FBufList.back()->Write(p, Len);
        p += n;
        Len -= n;
    }
}

void TCustomWSocket::DeleteBufferedData()
{
    FBufList.clear();
    FAllSent = true;
}

int TCustomWSocket::SendChunk(const void* Data, int Len)
{
    ssize_t n;
    if (FType == 2)
        n = ::sendto(FHSocket, Data, Len, FSendFlags | MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&FSin),
                     sizeof FSin);
    else
        n = ::send(FHSocket, Data, Len, FSendFlags | MSG_NOSIGNAL);
    if (n < 0)
        WSocketSetLastErrorFromErrno();
    // FD_WRITE tells when the rest can go.
    if (n < Len && FSelect)
        FSelect->ReEnable(FD_WRITE);
    return static_cast<int>(n);
}

void TCustomWSocket::TryToSend()
{
    if (FHSocket == INVALID_SOCKET || FBufList.empty())
        return;
    for (;;) {
        TBuffer& block = *FBufList.front();
        int len = 0;
        const char* data = block.Peek(len);
        if (len <= 0) {
            if (FBufList.size() > 1) {
                FBufList.pop_front();
                continue;
            }
            FAllSent = true;
            return;
        }
        const int n = SendChunk(data, len);
        if (n == 0)
            return;
        if (n < 0) {
            const int error = WSAGetLastError();
            if (LostConnection(error)) {
                FCloseInvoked = true;
                if (InTurn([&] { Close(); }))
                    FireSessionClosed(static_cast<uint16_t>(error));
                return;
            }
            if (error != WSAEWOULDBLOCK)
                SocketError("TryToSend failed");
            return;
        }
        block.Remove(n);
        if (n < len)
            return;
    }
}

void TCustomWSocket::Flush()
{
    while (FHSocket != INVALID_SOCKET && !FAllSent)
        if (!InTurn([&] { TryToSend(); }, [] { ProcessMessages(); }))
            return;
}

void TCustomWSocket::DrainUntilClosed()
{
    while (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        if (!InTurn([] { ProcessMessages(); }) || FHSocket == INVALID_SOCKET)
            return;
        int pending = 0;
        if (ioctl(FHSocket, FIONREAD, &pending) == 0 && pending > 0)
            if (!InTurn([&] { FireDataAvailable(0); }) || FHSocket == INVALID_SOCKET)
                return;
        char probe;
        if (RecvRaw(&probe, 0, 0) < 0 && WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        if (!InTurn([] { ProcessMessages(); }))
            return;
    }
}
