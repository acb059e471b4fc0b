#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <deque>

namespace {
const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kDrainQueue = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessageEvent : public QEvent {
public:
    explicit PostedMessageEvent(const TMessage& m) : QEvent(kPostedMessage), Message(m) {}
    TMessage Message;
};
}

class TMessageWindow::TReceiver : public QObject {
public:
    explicit TReceiver(Handler handler) : FHandler(std::move(handler)) {}

    void Deliver(const TMessage& message)
    {
        if (FHandler)
            FHandler(message);
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != kPostedMessage)
            return QObject::event(e);
        Deliver(static_cast<PostedMessageEvent*>(e)->Message); // may destroy the window, and this
        return true;
    }

private:
    Handler FHandler;
};

namespace {
// The messages of a thread's windows, in posting order. Each Qt posted event
// costs the event loop a wake-up (a write to its wake-up descriptor): a
// connection posts a dozen messages, so they share one event per turn of
// the loop. Those posted while a turn is delivered wait for the next one,
// as Qt's own posted events do.
class TMessageQueue : public QObject {
public:
    void Post(TMessageWindow* window, const TMessage& message)
    {
        FItems.push_back({window, message});
        if (!FWakePending) {
            FWakePending = true;
            QCoreApplication::postEvent(this, new QEvent(kDrainQueue));
        }
    }

    void Drop(const TMessageWindow* window)
    {
        for (TItem& item : FItems)
            if (item.Window == window)
                item.Window = nullptr;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != kDrainQueue)
            return QObject::event(e);
        FWakePending = false;
        for (size_t n = FItems.size(); n > 0 && !FItems.empty(); --n) {
            const TItem item = FItems.front();
            FItems.pop_front();
            if (item.Window)
                item.Window->SendMessage(item.Message.Msg, item.Message.WParam, item.Message.LParam);
        }
        return true;
    }

private:
    struct TItem {
        TMessageWindow* Window;
        TMessage Message;
    };
    std::deque<TItem> FItems;
    bool FWakePending = false;
};

TMessageQueue& ThreadQueue()
{
    thread_local TMessageQueue queue;
    return queue;
}
}

TMessageWindow::TMessageWindow(Handler handler) : FReceiver(std::make_unique<TReceiver>(std::move(handler))) {}

TMessageWindow::~TMessageWindow() { ThreadQueue().Drop(this); }

void TMessageWindow::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    // A post from another thread goes through Qt, to be delivered in the window's.
    if (FReceiver->thread() != QThread::currentThread()) {
        QCoreApplication::postEvent(FReceiver.get(), new PostedMessageEvent(TMessage{msg, wParam, lParam}));
        return;
    }
    ThreadQueue().Post(this, TMessage{msg, wParam, lParam});
}

void TMessageWindow::SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    FReceiver->Deliver(TMessage{msg, wParam, lParam});
}

QObject* TMessageWindow::Receiver() const
{
    return FReceiver.get();
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitAndProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
