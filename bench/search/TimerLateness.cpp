#include "TimerLateness.h"

#include <algorithm>

TimerLateness::TimerLateness(QTimer* timer) : FInterval(timer->interval())
{
    FClock.start();
    QObject::connect(timer, &QTimer::timeout, [this] {
        const qint64 now = FClock.nsecsElapsed();
        if (FLast >= 0)
            FLate.push_back(std::max(0.0, (now - FLast) / 1e6 - FInterval));
        FLast = now;
    });
}

double TimerLateness::Percentile(double p) const
{
    if (FLate.empty())
        return 0;
    std::vector<double> sorted = FLate;
    std::sort(sorted.begin(), sorted.end());
    return sorted[std::min(sorted.size() - 1, static_cast<size_t>(p * static_cast<double>(sorted.size())))];
}
