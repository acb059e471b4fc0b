#include "app/FramePlacer.h"

#include "platform/ScreenPlace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

TFramePlacer::TFramePlacer(QWidget* window) : QObject(window), FWindow(window)
{
    FLimit.setSingleShot(true);
    FLimit.setInterval(3000);
    connect(&FLimit, &QTimer::timeout, this, [this] { Stop(); });
}

QPoint TFramePlacer::FrameCorner(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle ? handle->framePosition() : window->pos();
}

QPoint TFramePlacer::Reachable(const QRect& frame)
{
    std::vector<QRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens())
        workAreas.push_back(screen->availableGeometry());
    return ReachablePlace(frame, workAreas);
}

void TFramePlacer::Place(QPoint frameCorner)
{
    Stop();
    FWanted = frameCorner;
    // The window's own size is the best guess of the frame's before it shows.
    FWindow->setGeometry(QRect(Reachable(QRect(frameCorner, FWindow->size())), FWindow->size()));
    FWatched = FWindow->windowHandle(); // none: never shown, nothing frames it
    if (FWatched)
        FWatched->installEventFilter(this);
}

// The window manager frames the window as it maps it; the frame's size is
// known when the window is first exposed, or moved by the manager.
bool TFramePlacer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FWatched && (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        if (!FLimit.isActive())
            FLimit.start();
        Follow();
    }
    return QObject::eventFilter(watched, event);
}

void TFramePlacer::Follow()
{
    if (!FWatched || !FWatched->isExposed())
        return;
    const QMargins frame = FWatched->frameMargins();
    if (frame.isNull())
        return;
    QWindow* window = FWatched;
    Stop();
    const QRect framed = window->frameGeometry();
    const QPoint corner = Reachable(QRect(FWanted, framed.size()));
    if (framed.topLeft() != corner)
        window->setPosition(corner + QPoint(frame.left(), frame.top()));
}

void TFramePlacer::Stop()
{
    FLimit.stop();
    if (FWatched)
        FWatched->removeEventFilter(this);
    FWatched = nullptr;
}
