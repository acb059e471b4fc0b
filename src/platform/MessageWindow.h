#pragma once
#include <cstdint>
#include <functional>
#include <memory>

class QObject;

// The hidden notification window: messages posted to it are delivered later
// by the event loop, in posting order. Destroying it drops what is still
// queued, so its owner can be freed at any time. Its Qt object stays out of
// this header, which every socket and client includes.
struct TMessage {
    uint32_t Msg;
    uintptr_t WParam;
    intptr_t LParam;
};

class TMessageWindow {
public:
    using Handler = std::function<void(const TMessage&)>;
    explicit TMessageWindow(Handler handler);
    ~TMessageWindow();
    TMessageWindow(const TMessageWindow&) = delete;
    TMessageWindow& operator=(const TMessageWindow&) = delete;

    void PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Deliver at once, bypassing the queue.
    void SendMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // The Qt object the messages go to: it dies with the window, so a
    // QPointer to it tells whether the window is still there.
    QObject* Receiver() const;

private:
    class TReceiver;
    std::unique_ptr<TReceiver> FReceiver;
};

// A posted message outlives what it was posted for (a connection, a lookup,
// a request): it carries that one's stamp, and is stale unless the stamp is
// the current one (0 when none is current).
inline bool IsStaleMessage(uintptr_t Stamp, uintptr_t Current)
{
    return Current == 0 || Stamp != Current;
}

// Lets pending posted messages and other events run (the program's
// ProcessMessages).
void ProcessMessages();
// Sleeps until something happens, then lets it run: a wait that keeps the
// program responsive without spinning.
void WaitAndProcessMessages();
