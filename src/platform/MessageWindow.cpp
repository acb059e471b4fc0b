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

TMessageWindow::TMessageWindow(Handler handler, QObject* parent)
    : QObject(parent), FHandler(std::move(handler))
{
}

TMessageWindow::~TMessageWindow() = default;

void TMessageWindow::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    QCoreApplication::postEvent(this, new PostedMessageEvent(TMessage{msg, wParam, lParam}));
}

void TMessageWindow::SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (FHandler)
        FHandler(TMessage{msg, wParam, lParam});
}

bool TMessageWindow::event(QEvent* e)
{
    if (e->type() == kPostedMessage) {
        if (FHandler)
            FHandler(static_cast<PostedMessageEvent*>(e)->Message);
        return true;
    }
    return QObject::event(e);
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitAndProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
