#pragma once
#include <cstddef>

// How much search work waits and runs, as the diagnostics window and the
// progress line show it. A request is held from its start until the reaper
// frees it; it runs until it is finished (answered, timed out or aborted).
struct TWorkCounts {
    size_t PagesQueued = 0;
    size_t ChecksQueued = 0;
    size_t PagesHeld = 0;
    size_t ChecksHeld = 0;
    size_t PagesRunning = 0;
    size_t ChecksRunning = 0;
};
