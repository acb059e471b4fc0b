#pragma once
#include "schedule/WorkCounts.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The figures of a running command-line search.
struct TProgress {
    size_t PagesRunning = 0;
    size_t PagesQueued = 0;
    uint64_t PagesDone = 0;
    size_t ChecksRunning = 0;
    size_t ChecksQueued = 0;
    uint64_t ChecksDone = 0;
    uint64_t Found = 0;
};

// The figures from what waits and runs and what the search counted.
TProgress ProgressOf(const TWorkCounts& Work, uint64_t PagesDone, uint64_t ChecksDone, uint64_t Found);
// "pages 2 running, 5 queued, 12 done | checks ... | found 17"
std::string ProgressText(const TProgress& p);
