#pragma once
#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <memory>

// SIGINT and SIGTERM as calls on the event loop. The handler does the one
// thing that is safe there, writing the signal's number into a pipe; a
// notifier reads it on the loop and calls OnSignal. The handlers before it
// come back when it is destroyed. One at a time in a process.
class TSignalPipe {
public:
    explicit TSignalPipe(std::function<void(int signal)> onSignal);
    ~TSignalPipe();
    TSignalPipe(const TSignalPipe&) = delete;
    TSignalPipe& operator=(const TSignalPipe&) = delete;

private:
    void Read();

    std::function<void(int)> FOnSignal;
    int FPipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> FNotifier;
    struct sigaction FOldInt {};
    struct sigaction FOldTerm {};
};
