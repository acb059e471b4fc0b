#pragma once
#include "net/winsock/WinSock.h"
#include "net/winsock/WinSockReadiness.h"

#include <cstdint>

class TMessageWindow;

// WSAAsyncSelect for one descriptor: readiness seen by the event loop becomes
// FD_READ, FD_WRITE, FD_ACCEPT, FD_CONNECT and FD_CLOSE messages posted to the
// window (wParam = socket, lParam = the TSocketNotice of Serial, error, event).
// As with WinSock, a notification is not repeated until its re-enabling call
// (recv for FD_READ, a blocked send for FD_WRITE, accept for FD_ACCEPT), so
// the event loop never spins on data nobody reads. While data waits unread,
// WatchHangup lets FD_CLOSE still come when the peer closes.
// Destroy it before closing the descriptor.
class TAsyncSelect : private TReadinessWatcher {
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
    bool HangupWatched() const;
    void Update();
    void Ready(uint32_t Events) override;
    void ReadReady(uint32_t Events);
    void WriteReady(uint32_t Events);
    void HangupReady(uint32_t Events);
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
    // Until then reading stays watched, which saves a change per receive.
    bool FReadParked = false;
    bool FWriteArmed = false;
    bool FClosed = false; // FD_CLOSE sent: nothing more to read
    bool FWatchHangup = false;
    uint32_t FWatched = 0; // the epoll events asked for now
};
