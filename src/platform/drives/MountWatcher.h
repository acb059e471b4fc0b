#pragma once
#include <QObject>
#include <functional>

class QSocketNotifier;

// Tells when the mount table changes: the kernel marks /proc/self/mountinfo
// with a priority event, which the event loop watches; no timer polls.
class TMountWatcher : public QObject {
public:
    explicit TMountWatcher(std::function<void()> onChange, QObject* parent = nullptr);
    ~TMountWatcher() override;

private:
    int FFile = -1;
    QSocketNotifier* FNotifier = nullptr;
};
