#include "net/HttpCli.h"
#include "sampleweb/StallServer.h"
#include "schedule/RequestScheduler.h"
#include "support/TestSupport.h"

#include "platform/IniFile.h"
#include "platform/TickCount.h"

#include <gtest/gtest.h>
#include <array>
#include <map>

namespace {

// The broadband profile's starts and reaps, step by step on the scheduler's
// clock. Requests go to hosts that never answer, so each ends only by a
// finish, a time-out or an abort. A request is named by its host's letter
// and its path: "A/p1" a page of host A, "B/c2" a check of host B.
struct TStep {
    enum TOp { Queue, Finish, TimeOut, Abort } Op;
    std::vector<std::string> Names; // queued or finished
    std::vector<std::string> Held;  // then held, pages before checks, each in start order
    size_t Waiting;                 // then waiting, queued or held for their host
};

struct TCase {
    const char* Name;
    int Pages, Checks, PerHost;
    std::vector<TStep> Steps;
};

const TCase Cases[] = {
    {"a finished request's slot is taken at once", 2, 2, 6,
     {{TStep::Queue, {"A/p1", "A/p2", "A/p3"}, {"A/p1", "A/p2"}, 1},
      {TStep::Finish, {"A/p1"}, {"A/p2", "A/p3"}, 0}}},
    {"timed-out requests are reaped on the pass after and their slots taken", 8, 2, 6,
     {{TStep::Queue, {"A/c1", "A/c2", "A/c3"}, {"A/c1", "A/c2"}, 1},
      {TStep::TimeOut, {}, {"A/c3"}, 0}}},
    {"an abort reaps every request at once and empties the queues", 2, 2, 6,
     {{TStep::Queue, {"A/p1", "A/c1", "A/c2", "A/c3"}, {"A/p1", "A/c1", "A/c2"}, 1},
      {TStep::Abort, {}, {}, 0}}},
    {"one host at its cap: the rest wait, in order, checks before pages", 8, 8, 2,
     {{TStep::Queue, {"A/p1", "A/c1", "A/p2", "A/c2", "A/p3"}, {"A/c1", "A/c2"}, 3},
      {TStep::Finish, {"A/c1"}, {"A/p1", "A/c2"}, 2},
      {TStep::Finish, {"A/c2", "A/p1"}, {"A/p2", "A/p3"}, 0}}},
    {"many hosts: each keeps to its cap, the others go past", 8, 8, 1,
     {{TStep::Queue, {"A/p1", "A/p2", "B/p3", "A/p4", "C/p5"}, {"A/p1", "B/p3", "C/p5"}, 2},
      {TStep::Finish, {"B/p3"}, {"A/p1", "C/p5"}, 2},
      {TStep::Finish, {"A/p1"}, {"C/p5", "A/p2"}, 1},
      {TStep::Queue, {"A/p4", "A/p2", "B/c6"}, {"C/p5", "A/p2", "B/c6"}, 2}}},
    {"a queue refilled while running waits for the next free slot", 2, 8, 6,
     {{TStep::Queue, {"A/p1", "A/p2"}, {"A/p1", "A/p2"}, 0},
      {TStep::Queue, {"B/p3", "A/p4"}, {"A/p1", "A/p2"}, 2},
      {TStep::Finish, {"A/p2"}, {"A/p1", "B/p3"}, 1},
      {TStep::Finish, {"A/p1", "B/p3"}, {"A/p4"}, 0}}},
};

class BroadbandScheduler : public ::testing::Test {
protected:
    void SetUp() override
    {
        scheduler.SearchActive = [this] { return searchActive; };
        scheduler.RunSoon = [this] { passAsked = true; };
        FreezeTickCount(true);
    }
    void TearDown() override
    {
        FreezeTickCount(false);
        SetTickCountOffset(0);
    }

    std::string Url(const std::string& name) const
    {
        return "http://127.0.0.1:" + std::to_string(ports[static_cast<size_t>(name[0] - 'A')]) + "/" + name;
    }
    static std::string Name(const THttpCli& client) { return client.URL.substr(client.URL.find('/', 7) + 1); }
    std::vector<std::string> Held() const
    {
        std::vector<std::string> names;
        for (const auto* requests : {&scheduler.Pages(), &scheduler.Checks()})
            for (const TRunningRequest& request : *requests)
                names.push_back(Name(*request.Client));
        return names;
    }
    const THttpCli* Client(const std::string& name) const
    {
        for (const auto* requests : {&scheduler.Pages(), &scheduler.Checks()})
            for (const TRunningRequest& request : *requests)
                if (Name(*request.Client) == name)
                    return request.Client.get();
        return nullptr;
    }
    // What the engine does when asked: a pass, as often as one asks for another.
    void RunAskedPasses()
    {
        for (int i = 0; passAsked && i < 10; ++i) {
            passAsked = false;
            scheduler.Pass();
        }
    }

    void Do(const TStep& step)
    {
        switch (step.Op) {
        case TStep::Queue:
            for (const std::string& name : step.Names)
                name[2] == 'p' ? scheduler.QueuePage(Url(name), ecListedPage) : scheduler.QueueCheck(Url(name));
            break;
        case TStep::Finish:
            for (const std::string& name : step.Names) {
                const THttpCli* client = Client(name);
                ASSERT_NE(client, nullptr) << name;
                scheduler.MarkFinished(client);
            }
            break;
        case TStep::TimeOut: // the reap ticks after the time-out, as the timers give them
            SetTickCountOffset(TickCountOffset() + TRequestScheduler::RequestTimeout + 1);
            scheduler.ReapPages();
            scheduler.ReapChecks();
            break;
        case TStep::Abort:
            searchActive = false;
            scheduler.Abort();
            break;
        }
        RunAskedPasses();
    }

    std::array<sampleweb::StallServer, 3> stalls;
    std::array<uint16_t, 3> ports{stalls[0].Start(), stalls[1].Start(), stalls[2].Start()};
    bool searchActive = true;
    bool passAsked = false;
    TRequestScheduler scheduler;
};

TEST_F(BroadbandScheduler, StartsAndReapsAsSoonAsASlotIsFreeWithinTheHostCap)
{
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        searchActive = true;
        scheduler.Abort(); // the previous case's requests and lines
        scheduler.Pass();
        passAsked = false;
        ASSERT_TRUE(Held().empty());
        scheduler.UseProfile(BroadbandProfile(c.Pages, c.Checks, c.PerHost));
        for (size_t i = 0; i < c.Steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1));
            Do(c.Steps[i]);
            const TWorkCounts work = scheduler.Counts();
            EXPECT_EQ(Held(), c.Steps[i].Held);
            EXPECT_EQ(work.PagesQueued + work.ChecksQueued, c.Steps[i].Waiting);
        }
    }
}

TEST(ConnectionProfile, IsReadFromTheSettingsOrTheKindAskedFor)
{
    const struct {
        const char* file; // the settings file's [Options] lines
        std::optional<TProfileKind> asked;
        TProfileKind kind;
        int pageLimit, checkLimit, perHost;
    } rows[] = {
        {"", {}, TProfileKind::Slow, 4, 9, 0},
        {"SlowConnection=0\n", {}, TProfileKind::Fast, 19, 24, 0},
        {"SlowConnection=0\nBroadband=1\n", {}, TProfileKind::Broadband, 15, 47, 6},
        {"Broadband=1\nBroadbandPages=4\nBroadbandChecks=0\nBroadbandPerHost=500\n", {}, TProfileKind::Broadband,
         3, 0, 64},
        {"Broadband=1\n", TProfileKind::Slow, TProfileKind::Slow, 4, 9, 0},
        {"", TProfileKind::Broadband, TProfileKind::Broadband, 15, 47, 6},
    };
    for (const auto& row : rows) {
        TempDir dir;
        WriteFile(dir.File("g.ini"), std::string("[Options]\n") + row.file);
        const TConnectionProfile profile = ReadConnectionProfile(TIniFile(dir.File("g.ini")), row.asked);
        EXPECT_EQ(profile.Kind, row.kind) << row.file;
        EXPECT_EQ(profile.GetPageClientLimit, row.pageLimit) << row.file;
        EXPECT_EQ(profile.CheckLinkClientLimit, row.checkLimit) << row.file;
        EXPECT_EQ(profile.PerHostCap, row.perHost) << row.file;
    }
}

} // namespace
