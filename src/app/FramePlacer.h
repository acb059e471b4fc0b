#pragma once
#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;
class QWindow;

// Puts a top-level window's frame, title bar included, at a place on the
// screen. Until a window manager has framed the window only the window
// itself can be placed, so it is put there first; once it shows with a frame,
// it is moved by the frame's size so that the frame's corner lies at the
// place, and brought onto a screen if the frame would not be reachable
// there. Without a frame it stays where it was put.
class TFramePlacer : public QObject {
public:
    explicit TFramePlacer(QWidget* window);

    // Before the window shows; its size is set already.
    void Place(QPoint frameCorner);

    // The frame's corner on the screen: the window's own without a frame.
    static QPoint FrameCorner(const QWidget* window);
    // Where a frame of that place and size is reachable on the screens now.
    static QPoint Reachable(const QRect& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();
    void Stop();

    QWidget* FWindow;
    QWindow* FWatched = nullptr; // while placing
    QPoint FWanted; // as stored
    QTimer FLimit; // a frame that has not come by then never comes
};
