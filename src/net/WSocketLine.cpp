#include "net/WSocketLine.h"

#include <algorithm>
#include <cstring>

TCustomLineWSocket::TCustomLineWSocket() = default;

TCustomLineWSocket::~TCustomLineWSocket() = default;

void TCustomLineWSocket::SetLineMode(bool Value)
{
    if (FLineMode == Value)
        return;
    FLineMode = Value;
    if (!FRcvBuf.empty() || FLineLength > 0)
        HWindow()->PostMessage(WM_SOCKET_LINE_RESUME);
}

void TCustomLineWSocket::WndProc(const TMessage& Msg)
{
    if (Msg.Msg != WM_SOCKET_LINE_RESUME) {
        TCustomTlsWSocket::WndProc(Msg);
        return;
    }
    RunMessage([&] {
        if (FLineMode && !FLineEnd.empty()) {
            ScanLines(0, 0);
            return;
        }
        // Hand out what line mode held back, for as long as the handler reads it.
        while (!FRcvBuf.empty()) {
            const size_t held = FRcvBuf.size();
            if (!InTurn([&] { TCustomTlsWSocket::FireDataAvailable(0); }) || FRcvBuf.size() == held)
                return;
        }
    });
}

int TCustomLineWSocket::RcvdCount()
{
    if (FLineLength > 0)
        return static_cast<int>(FLineLength - FRcvdPtr);
    if (FLineMode)
        return 0;
    if (!FRcvBuf.empty())
        return static_cast<int>(FRcvBuf.size());
    return TCustomTlsWSocket::RcvdCount();
}

int TCustomLineWSocket::RecvRaw(void* Buffer, int Len, int Flags)
{
    if (FLineLength > 0) {
        const int n = std::clamp(static_cast<int>(FLineLength - FRcvdPtr), 0, Len);
        std::memcpy(Buffer, FRcvBuf.data() + FRcvdPtr, n);
        FRcvdPtr += n;
        return n;
    }
    if (!FLineMode && !FRcvBuf.empty()) {
        const int n = std::min(static_cast<int>(FRcvBuf.size()), Len);
        std::memcpy(Buffer, FRcvBuf.data(), n);
        FRcvBuf.erase(FRcvBuf.begin(), FRcvBuf.begin() + n);
        return n;
    }
    return TCustomTlsWSocket::RecvRaw(Buffer, Len, Flags);
}

bool TCustomLineWSocket::FireDataAvailable(uint16_t Error)
{
    // The SOCKS server's replies are not the user's lines.
    if (!FLineMode || FLineEnd.empty() || SocksBusy())
        return TCustomTlsWSocket::FireDataAvailable(Error);
    const int pending = TCustomTlsWSocket::RcvdCount();
    if (pending <= 0)
        return true;
    const size_t held = FRcvBuf.size();
    FRcvBuf.resize(held + pending);
    const int n = TCustomTlsWSocket::RecvRaw(FRcvBuf.data() + held, pending, 0);
    FRcvBuf.resize(held + std::max(n, 0));
    if (n < 0) {
        SetLastError(WSAGetLastError());
        return true;
    }
    if (FLineEdit) {
        EditReceivedLine(held);
    } else if (FLineEcho && !InTurn([&] { Send(FRcvBuf.data() + held, n); })) {
        return true;
    }
    ScanLines(held > FLineEnd.size() ? held - FLineEnd.size() : 0, Error);
    return true;
}

void TCustomLineWSocket::ScanLines(size_t From, uint16_t Error)
{
    for (;;) {
        const auto end = std::search(FRcvBuf.begin() + std::min(From, FRcvBuf.size()), FRcvBuf.end(),
                                     FLineEnd.begin(), FLineEnd.end());
        if (end == FRcvBuf.end())
            return;
        FLineLength = static_cast<size_t>(end - FRcvBuf.begin()) + FLineEnd.size();
        if (!InTurn([&] { DeliverLine(Error); }))
            return;
        From = 0;
    }
}

void TCustomLineWSocket::DeliverLine(uint16_t Error)
{
    const TAliveWatch alive = Watch();
    FRcvdPtr = 0;
    // Each call must read some of the line; what a handler leaves unread is dropped.
    while (FRcvdPtr < FLineLength) {
        const size_t before = FRcvdPtr;
        if (!TCustomTlsWSocket::FireDataAvailable(Error))
            break;
        if (!alive)
            return;
        if (FRcvdPtr == before)
            break;
    }
    FRcvBuf.erase(FRcvBuf.begin(), FRcvBuf.begin() + std::min(FLineLength, FRcvBuf.size()));
    FLineLength = 0;
    FRcvdPtr = 0;
}

void TCustomLineWSocket::FireSessionClosed(uint16_t Error)
{
    if (FLineMode && !FRcvBuf.empty()) {
        FLineLength = FRcvBuf.size();
        if (!InTurn([&] { DeliverLine(Error); }))
            return;
    }
    FRcvBuf.clear();
    FRcvBuf.shrink_to_fit();
    TCustomTlsWSocket::FireSessionClosed(Error);
}

void TCustomLineWSocket::EditReceivedLine(size_t Start)
{
    std::vector<char> edited(FRcvBuf.begin(), FRcvBuf.begin() + Start);
    edited.reserve((FRcvBuf.size() / 256 + 1) * 256);
    std::string echo;
    for (size_t i = Start; i < FRcvBuf.size(); ++i) {
        const char c = FRcvBuf[i];
        if (c == '\b') {
            if (!edited.empty()) {
                edited.pop_back();
                echo += "\b \b";
            }
        } else if (c == '\t') {
            do {
                edited.push_back(' ');
                echo += ' ';
            } while (edited.size() % 8 != 0);
        } else {
            edited.push_back(c);
            echo += c;
        }
    }
    FRcvBuf = std::move(edited);
    if (FLineEcho && !echo.empty())
        SendText(echo);
}
