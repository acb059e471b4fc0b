#include "cli/ExitStatus.h"
#include "cli/HealthReport.h"
#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

namespace {

const TServiceHealth kAnswered{2, 9, "", {}};
const TServiceHealth kRefused{0, 0, "Connection refused", {}};
const TServiceHealth kChanged{1, 0, FormatChangedWarning, {}};

// Two sources, both off.
TSearchHealth AllServices(const TServiceHealth& each)
{
    TSearchHealth h;
    h.Services.fill(each);
    h.SourceNames = {"Pictures Here", "Pictures There"};
    h.SourcesOn = {false, false};
    h.Sources.resize(2);
    return h;
}

std::string ServiceLines(const std::string& each, int skipped = -1)
{
    std::string text;
    for (int i = 0; i < ServiceCount; ++i)
        if (i != skipped)
            text += std::string(Services[i].Name) + ": " + each + "\n";
    return text;
}

TEST(RunEnd, HealthReportLinesAndNothingReached)
{
    TSearchHealth startPage = AllServices(kRefused);
    startPage.StartPage = TServiceHealth{1, 0, "answered 404", {}};
    TSearchHealth startPageFine = AllServices(kRefused);
    startPageFine.StartPage = kAnswered;
    TSearchHealth oneAnswered = AllServices(kRefused);
    oneAnswered.Services[ServiceCount - 1] = kAnswered;
    // The one that answered was not asked: its figures are not the search's.
    TSearchHealth answeredNotAsked = oneAnswered;
    answeredNotAsked.ServicesAsked[ServiceCount - 1] = false;
    TSearchHealth sourceAnswered = AllServices(kRefused);
    sourceAnswered.SourcesOn[1] = true;
    sourceAnswered.Sources[1] = {1, 3, "answered 503", {}};
    TSearchHealth sourceOffAnswered = AllServices(kRefused);
    sourceOffAnswered.Sources[0] = kAnswered;
    const std::string refused = "0 pages, 0 links - Connection refused";
    const struct {
        const char* name;
        TSearchHealth health;
        std::string report;
        bool nothingReached;
    } rows[] = {
        {"all refused", AllServices(kRefused), ServiceLines(refused), true},
        {"all answered", AllServices(kAnswered), ServiceLines("2 pages, 9 links"), false},
        // A page in a format no longer read was still reached.
        {"format changed", AllServices(kChanged), ServiceLines(std::string("1 page, 0 links - ") + FormatChangedWarning),
         false},
        {"one answered", oneAnswered, "", false},
        {"answered, not asked", answeredNotAsked, ServiceLines(refused, ServiceCount - 1), true},
        {"start page failed", startPage, "Start page: 1 page, 0 links - answered 404\n", true},
        {"start page answered", startPageFine, "Start page: 2 pages, 9 links\n", false},
        // A source that answered at all reached something, whatever it said.
        {"source on answered", sourceAnswered,
         ServiceLines(refused) + "Pictures There: 1 page, 3 links - answered 503\n", false},
        {"source off", sourceOffAnswered, ServiceLines(refused), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.report.empty()) {
            EXPECT_EQ(HealthReport(row.health), row.report);
        }
        EXPECT_EQ(NothingReached(row.health), row.nothingReached);
    }
}

TEST(RunEnd, ExitStatusTakesTheMostPressing)
{
    const struct {
        TRunEnd end;
        int status;
    } rows[] = {
        {{}, ExitStatus::Ran},
        {{std::nullopt, 0, true, 0}, ExitStatus::NothingReached},
        {{std::nullopt, 3, true, 0}, ExitStatus::Ran}, // found something after all
        {{std::nullopt, 3, false, 2}, ExitStatus::NotSaved},
        {{std::nullopt, 0, true, 2}, ExitStatus::NothingReached},
        {{ExitStatus::Signalled(2), 0, true, 2}, 130},
        {{ExitStatus::Signalled(13), 5, false, 0}, 141},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ExitStatusOf(row.end), row.status)
            << "found " << row.end.Found << ", nothing reached " << row.end.NothingReached << ", not saved "
            << row.end.NotSaved;
}

TEST(RunEnd, ProgressLineFromTheWorkCounts)
{
    const struct {
        TWorkCounts work;
        uint64_t pagesDone, checksDone, found;
        std::string text;
    } rows[] = {
        {{}, 0, 0, 0, "pages 0 running, 0 queued, 0 done | checks 0 running, 0 queued, 0 done | found 0"},
        // Held requests are not shown: what runs, what waits, what is done.
        {{5, 40, 3, 7, 2, 6}, 12, 30, 17,
         "pages 2 running, 5 queued, 12 done | checks 6 running, 40 queued, 30 done | found 17"},
        {{0, 0, 0, 0, 0, 0}, 4000000000u, 1, 1,
         "pages 0 running, 0 queued, 4000000000 done | checks 0 running, 0 queued, 1 done | found 1"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ProgressText(ProgressOf(row.work, row.pagesDone, row.checksDone, row.found)), row.text);
}

}
