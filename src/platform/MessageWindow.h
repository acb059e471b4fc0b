#pragma once
#include <QObject>
#include <cstdint>
#include <functional>

// The hidden notification window: messages posted to it are delivered later
// by the event loop, in posting order. Destroying it drops what is still
// queued, so its owner can be freed at any time.
struct TMessage {
    uint32_t Msg;
    uintptr_t WParam;
    intptr_t LParam;
};

class TMessageWindow : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const TMessage&)>;
    explicit TMessageWindow(Handler handler, QObject* parent = nullptr);
    ~TMessageWindow() override;

    void PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Deliver at once, bypassing the queue.
    void SendMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

protected:
    bool event(QEvent* e) override;

private:
    Handler FHandler;
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
