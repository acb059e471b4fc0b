#pragma once
#include <cstdint>
#include <memory>

class QSocketNotifier;

// What a watched descriptor is told when it is ready: the epoll events seen.
class TReadinessWatcher {
public:
    virtual void Ready(uint32_t Events) = 0;

protected:
    ~TReadinessWatcher() = default;
};

// The sockets of one thread in one epoll set, which the event loop watches
// as a single descriptor. Changing what a socket waits for is then one
// epoll_ctl: a notifier of its own would change the loop's poll set and wake
// the loop each time. Level-triggered, as the loop's own polling is.
class TReadinessSet {
public:
    static TReadinessSet& OfThisThread();
    ~TReadinessSet();

    // Watched: what the set asks for the descriptor now, kept by the caller.
    // Events 0 takes the descriptor out of the set (reported errors and
    // hang-ups would otherwise come without end); do so before the watcher
    // dies or the descriptor is closed.
    void Watch(int Fd, TReadinessWatcher* Watcher, uint32_t Events, uint32_t& Watched);

private:
    TReadinessSet();
    void Dispatch();

    int FEpoll;
    std::unique_ptr<QSocketNotifier> FNotifier;
};
