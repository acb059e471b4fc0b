#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

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

TMessageWindow::TMessageWindow(Handler handler) : FReceiver(std::make_unique<TReceiver>(std::move(handler))) {}

TMessageWindow::~TMessageWindow() = default;

void TMessageWindow::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    QCoreApplication::postEvent(FReceiver.get(), new PostedMessageEvent(TMessage{msg, wParam, lParam}));
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
