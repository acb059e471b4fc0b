#pragma once
#include "search/SearchEngine.h"

#include <array>

// The engine's insides, for tests, benchmarks and tools only: the scheduler
// (queues, running requests, limits) and the four timers, so that they can
// run the ticks at their own pace and watch the work; and the search's
// active flag, for work handed over without a Start. The program's windows
// and command line use the engine's own interface.
class TEngineProbe {
public:
    explicit TEngineProbe(TSearchEngine& engine) : FEngine(engine) {}

    struct TTimers {
        QTimer* CheckStart; // every 200 ms
        QTimer* PageStart;  // every 500 ms
        QTimer* PageReap;   // every 100 ms
        QTimer* CheckReap;  // every 100 ms
        std::array<QTimer*, 4> All() const { return {CheckStart, PageStart, PageReap, CheckReap}; }
    };

    TRequestScheduler& Scheduler() const { return FEngine.FScheduler; }
    TTimers Timers() const
    {
        return {&FEngine.FCheckStartTimer, &FEngine.FPageStartTimer, &FEngine.FPageReapTimer,
                &FEngine.FCheckReapTimer};
    }
    void SetActive(bool active) const { FEngine.FActive = active; }
    // A source's pages held until its host may be asked again.
    int HeldPages() const { return FEngine.FHeldPages; }

private:
    TSearchEngine& FEngine;
};
