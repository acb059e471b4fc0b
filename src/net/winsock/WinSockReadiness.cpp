#include "net/winsock/WinSockReadiness.h"

#include <QSocketNotifier>

#include <sys/epoll.h>
#include <unistd.h>

TReadinessSet& TReadinessSet::OfThisThread()
{
    thread_local TReadinessSet set;
    return set;
}

TReadinessSet::TReadinessSet()
    : FEpoll(epoll_create1(EPOLL_CLOEXEC)), FNotifier(std::make_unique<QSocketNotifier>(FEpoll, QSocketNotifier::Read))
{
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { Dispatch(); });
}

TReadinessSet::~TReadinessSet()
{
    FNotifier.reset();
    close(FEpoll);
}

void TReadinessSet::Watch(int Fd, TReadinessWatcher* Watcher, uint32_t Events, uint32_t& Watched)
{
    if (Events == Watched)
        return;
    epoll_event event{};
    event.events = Events;
    event.data.ptr = Watcher;
    const int op = Events == 0 ? EPOLL_CTL_DEL : Watched == 0 ? EPOLL_CTL_ADD : EPOLL_CTL_MOD;
    // Fails only for a descriptor that is not a socket's, or closed early.
    if (epoll_ctl(FEpoll, op, Fd, &event) == 0 || op == EPOLL_CTL_DEL)
        Watched = Events;
}

void TReadinessSet::Dispatch()
{
    // A watcher only posts messages and changes what it watches, so none is
    // destroyed while this batch is handed out.
    epoll_event events[64];
    const int n = epoll_wait(FEpoll, events, 64, 0);
    for (int i = 0; i < n; ++i)
        static_cast<TReadinessWatcher*>(events[i].data.ptr)->Ready(events[i].events);
}
