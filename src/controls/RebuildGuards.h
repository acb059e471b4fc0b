#pragma once
#include <QApplication>
#include <QWidget>

// Guards the directory tree holds while it rebuilds or reads the disk.

// The hourglass.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// No painting while a widget is rebuilt.
class TNoRedraw {
public:
    explicit TNoRedraw(QWidget* widget) : FWidget(widget), FWas(widget->updatesEnabled())
    {
        widget->setUpdatesEnabled(false);
    }
    ~TNoRedraw() { FWidget->setUpdatesEnabled(FWas); }
    TNoRedraw(const TNoRedraw&) = delete;
    TNoRedraw& operator=(const TNoRedraw&) = delete;

private:
    QWidget* FWidget;
    bool FWas;
};
// Holds the tree's change events back while it rebuilds.
class TChangeLock {
public:
    explicit TChangeLock(int& lock) : FLock(lock) { ++FLock; }
    ~TChangeLock() { --FLock; }
    TChangeLock(const TChangeLock&) = delete;
    TChangeLock& operator=(const TChangeLock&) = delete;

private:
    int& FLock;
};
