#pragma once
#include "net/winsock/WinSock.h"

#include <cstdint>
#include <memory>

class QSocketNotifier;
class TMessageWindow;

// WSAAsyncSelect for one descriptor: readiness seen by the event loop becomes
// FD_READ, FD_WRITE, FD_ACCEPT, FD_CONNECT and FD_CLOSE messages posted to the
// window (wParam = socket, lParam = Serial << 32 | error << 16 | event).
// As with WinSock, a notification is not repeated until its re-enabling call
// (recv for FD_READ, a blocked send for FD_WRITE, accept for FD_ACCEPT), so
// the event loop never spins on data nobody reads. While data waits unread,
// WatchHangup lets FD_CLOSE still come when the peer closes.
// Destroy it before closing the descriptor.
class TAsyncSelect {
public:
    TAsyncSelect(TSocket Socket, bool Datagram, TMessageWindow* Window, uint32_t Msg, uint32_t Serial);
    ~TAsyncSelect();
    TAsyncSelect(const TAsyncSelect&) = delete;
    TAsyncSelect& operator=(const TAsyncSelect&) = delete;

    // The events to report; 0 reports nothing. Connecting: a non-blocking
    // connect is under way, and FD_CONNECT reports its outcome.
    void Select(uint16_t Events, bool Connecting = false);
    void ReEnable(uint16_t Event);
    // Reports the peer's close even though FD_READ is not re-enabled.
    void WatchHangup();

private:
    void Update();
    void ReadReady();
    void WriteReady();
    void HangupReady();
    void Post(uint16_t Event, int Error);
    void PostClose(int Errno);

    TSocket FSocket;
    TMessageWindow* FWindow;
    uint32_t FMsg;
    uint32_t FSerial;
    uint16_t FEvents = 0;
    bool FListening = false;
    bool FDatagram = false;
    bool FConnecting = false;
    bool FReadArmed = true;
    // Read readiness came again before the re-enabling call: stop watching.
    // Until then the notifier stays on, since turning it off and on again
    // costs the event loop a wake-up each time.
    bool FReadParked = false;
    bool FWriteArmed = false;
    bool FClosed = false; // FD_CLOSE sent: nothing more to read
    std::unique_ptr<QSocketNotifier> FReadNotifier;
    std::unique_ptr<QSocketNotifier> FWriteNotifier;
    int FHangupFd = -1; // epoll set that reports only the peer's close
    std::unique_ptr<QSocketNotifier> FHangupNotifier;
};
