#include "cli/ProgressLine.h"

namespace {

std::string Kind(const char* name, size_t running, size_t queued, uint64_t done)
{
    return std::string(name) + " " + std::to_string(running) + " running, " + std::to_string(queued) + " queued, "
           + std::to_string(done) + " done";
}

} // namespace

std::string ProgressText(const TProgress& p)
{
    return Kind("pages", p.PagesRunning, p.PagesQueued, p.PagesDone) + " | "
           + Kind("checks", p.ChecksRunning, p.ChecksQueued, p.ChecksDone) + " | found " + std::to_string(p.Found);
}

TProgress ProgressOf(const TWorkCounts& Work, uint64_t PagesDone, uint64_t ChecksDone, uint64_t Found)
{
    return {Work.PagesRunning, Work.PagesQueued, PagesDone, Work.ChecksRunning, Work.ChecksQueued, ChecksDone, Found};
}
