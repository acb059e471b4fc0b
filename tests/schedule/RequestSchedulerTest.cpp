#include "net/HttpCli.h"
#include "support/net/HttpTestServer.h"
#include "sampleweb/StallServer.h"
#include "schedule/RequestScheduler.h"
#include "support/TestSupport.h"

#include "platform/ErrorLog.h"
#include "platform/TickCount.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class Scheduler : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorLog::ClearForTest();
        scheduler.SearchActive = [this] { return searchActive; };
        scheduler.OnTimedOut = [this](const TTimedOut& request) {
            timedOut.push_back((request.Kind == TRequestKind::PageFetch ? "page " : "check ") + request.Url);
        };
    }
    void TearDown() override
    {
        FreezeTickCount(false);
        SetTickCountOffset(0);
    }

    void QueuePages(int n)
    {
        for (int i = 0; i < n; ++i)
            AppendPageFetch(scheduler.GetPageQueue, server.Url("/page" + std::to_string(i) + ".html"), ecListedPage);
    }
    void QueueChecks(int n)
    {
        for (int i = 0; i < n; ++i)
            AppendLinkCheck(scheduler.CheckLinkQueue, server.Url("/pic" + std::to_string(i) + ".jpg"));
    }
    void SetProfile(bool slow)
    {
        scheduler.GetPageClientLimit = slow ? 4 : 19;
        scheduler.CheckLinkClientLimit = slow ? 9 : 24;
    }
    // Sets the clock so that it reads exactly `tick` now.
    static void SetNow(uint32_t tick) { SetTickCountOffset(tick - (GetTickCount() - TickCountOffset())); }
    const TRunningRequest& Page(size_t i) const { return scheduler.Pages().at(i); }
    const TRunningRequest& Check(size_t i) const { return scheduler.Checks().at(i); }

    // Takes connections and never answers: requests to it run until aborted.
    struct Stall {
        sampleweb::StallServer server;
        uint16_t port = server.Start();
        std::string Url(const std::string& path) const
        {
            return "http://127.0.0.1:" + std::to_string(port) + path;
        }
    } server;
    bool searchActive = true;
    std::vector<std::string> timedOut;
    TRequestScheduler scheduler;
};

TEST_F(Scheduler, SlowProfileStartsFiveAndNoMoreUntilOneIsReaped)
{
    SetProfile(true);
    QueuePages(20);
    scheduler.StartPages();
    EXPECT_EQ(scheduler.Pages().size(), 5u);
    EXPECT_EQ(scheduler.GetPageQueue.size(), 15u);
    scheduler.StartPages();
    EXPECT_EQ(scheduler.Pages().size(), 5u);

    scheduler.MarkFinished(Page(2).Client.get());
    scheduler.ReapPages();
    EXPECT_EQ(scheduler.Pages().size(), 4u);
    scheduler.StartPages();
    EXPECT_EQ(scheduler.Pages().size(), 5u);
    EXPECT_EQ(scheduler.GetPageQueue.size(), 14u);
}

TEST_F(Scheduler, NeverMoreThanEightStartsPerTickAndLimitPlusOneRun)
{
    SetProfile(false);
    QueuePages(30);
    QueueChecks(30);
    std::vector<size_t> pages, checks;
    for (int tick = 0; tick < 4; ++tick) {
        scheduler.StartPages();
        scheduler.StartChecks();
        pages.push_back(scheduler.Pages().size());
        checks.push_back(scheduler.Checks().size());
    }
    EXPECT_EQ(pages, (std::vector<size_t>{8, 16, 20, 20}));
    EXPECT_EQ(checks, (std::vector<size_t>{8, 16, 24, 25}));
    EXPECT_EQ(scheduler.GetPageQueue.size(), 10u);
    EXPECT_EQ(scheduler.CheckLinkQueue.size(), 5u);
}

TEST_F(Scheduler, TimeOutAfterMoreThan30000msThenReapedOnALaterTick)
{
    FreezeTickCount(true);
    SetNow(1000);
    QueuePages(1);
    scheduler.StartPages();
    ASSERT_EQ(scheduler.Pages().size(), 1u);
    EXPECT_EQ(Page(0).StartTick, 1000u);
    EXPECT_EQ(Page(0).Client->URL, server.Url("/page0.html"));

    SetNow(31000);
    scheduler.ReapPages();
    EXPECT_FALSE(Page(0).Finished);
    EXPECT_TRUE(timedOut.empty());

    SetNow(31001);
    scheduler.ReapPages();
    EXPECT_TRUE(Page(0).Finished);
    EXPECT_EQ(timedOut, (std::vector<std::string>{"page " + server.Url("/page0.html")}));
    EXPECT_EQ(scheduler.Pages().size(), 1u);
    scheduler.ReapPages();
    EXPECT_TRUE(scheduler.Pages().empty());

    QueueChecks(1);
    scheduler.StartChecks();
    SetNow(61002);
    scheduler.ReapChecks();
    EXPECT_EQ(timedOut, (std::vector<std::string>{"page " + server.Url("/page0.html"),
                                                  "check " + server.Url("/pic0.jpg")}));
}

TEST_F(Scheduler, AStalledTlsHandshakeTimesOutAsSuch)
{
    FreezeTickCount(true);
    SetNow(1000);
    const std::string url = "https://127.0.0.1:" + std::to_string(server.port) + "/page.html";
    AppendPageFetch(scheduler.GetPageQueue, url, ecListedPage);
    scheduler.StartPages();
    ASSERT_TRUE(WaitUntil([&] { return Page(0).Client->TlsHandshaking(); }));

    SetNow(31001);
    scheduler.ReapPages();
    EXPECT_TRUE(Page(0).Finished);
    EXPECT_EQ(timedOut, (std::vector<std::string>{"page " + url}));
    EXPECT_EQ(ErrorLog::Lines(), (std::vector<std::string>{"TLS: " + url + " - handshake time-out"}));
}

TEST_F(Scheduler, StartTicksAcrossTheWrap)
{
    FreezeTickCount(true);
    SetNow(0xFFFFF000u); // far above 2^31
    QueuePages(1);
    QueueChecks(1);
    scheduler.StartPages();
    scheduler.StartChecks();
    ASSERT_EQ(Page(0).StartTick, 4294963200u);

    SetNow(0x00006000u); // 28672 ms later, across the wrap
    scheduler.ReapPages();
    scheduler.ReapChecks();
    EXPECT_FALSE(Page(0).Finished);
    EXPECT_FALSE(Check(0).Finished);

    SetNow(0x00007531u); // 30001 ms after the start
    scheduler.ReapPages();
    scheduler.ReapChecks();
    EXPECT_TRUE(Page(0).Finished);
    EXPECT_TRUE(Check(0).Finished);
}

TEST_F(Scheduler, AbortEmptiesTheQueuesAndTwelveChecksFallByOnePerTick)
{
    SetProfile(false);
    QueueChecks(12);
    scheduler.StartChecks();
    scheduler.StartChecks();
    ASSERT_EQ(scheduler.Checks().size(), 12u);
    QueuePages(1);
    QueueChecks(1);
    searchActive = false;
    scheduler.Abort();
    EXPECT_TRUE(scheduler.GetPageQueue.empty());
    EXPECT_TRUE(scheduler.CheckLinkQueue.empty());
    for (size_t expected = 11;; --expected) {
        scheduler.ReapChecks();
        EXPECT_EQ(scheduler.Checks().size(), expected);
        if (expected == 0)
            break;
    }
}

TEST_F(Scheduler, LeftoversWithoutASearchDrainWithoutClients)
{
    searchActive = false;
    QueuePages(3);
    QueueChecks(3);
    scheduler.StartPages();
    scheduler.StartChecks();
    EXPECT_TRUE(scheduler.GetPageQueue.empty());
    EXPECT_TRUE(scheduler.CheckLinkQueue.empty());
    EXPECT_TRUE(scheduler.Pages().empty());
    EXPECT_TRUE(scheduler.Checks().empty());
}

TEST_F(Scheduler, UnmarkedRequestsAreReapedWhenNoSearchIsActive)
{
    QueuePages(2);
    scheduler.StartPages();
    searchActive = false;
    scheduler.ReapPages();
    EXPECT_EQ(scheduler.Pages().size(), 1u);
    scheduler.ReapPages();
    EXPECT_TRUE(scheduler.Pages().empty());
}

// With recursion one page is easily fetched twice at once: the fetch that
// finishes marks its own request, and only its client is reaped.
TEST_F(Scheduler, TwoFetchesOfOnePageEachMarkTheirOwnRequest)
{
    for (int i = 0; i < 2; ++i) {
        QueuePages(1);
        scheduler.StartPages();
    }
    ASSERT_EQ(scheduler.Pages().size(), 2u);
    const THttpCli* running = Page(0).Client.get();
    scheduler.MarkFinished(Page(1).Client.get());
    EXPECT_FALSE(Page(0).Finished);
    EXPECT_TRUE(Page(1).Finished);
    scheduler.ReapPages();
    ASSERT_EQ(scheduler.Pages().size(), 1u);
    EXPECT_EQ(Page(0).Client.get(), running);
}

// A page that goes on and on is cut at the page limit and read as far as it came.
TEST_F(Scheduler, APageIsCutAtItsLimitAndReadAsFarAsItCame)
{
    THttpTestServer site;
    std::string body;
    scheduler.OnPageDone = [&](THttpCli* sender) {
        body = scheduler.PageBody(sender);
        scheduler.MarkFinished(sender);
    };
    scheduler.GetPage(site.Url("/long.html"), ecListedPage);
    ASSERT_TRUE(site.Accept());
    site.ReadRequest();
    site.Send("HTTP/1.0 200 OK\r\n\r\n<img src=\"first.jpg\">\n" + std::string(TRequestScheduler::PageSizeLimit, ' ')
              + "<img src=\"last.jpg\">\n");
    site.Close();
    ASSERT_TRUE(WaitUntil([&] { return Page(0).Finished; }));
    EXPECT_TRUE(body.starts_with("<img src=\"first.jpg\">\n"));
    EXPECT_EQ(body.find("last.jpg"), std::string::npos);
    EXPECT_LE(body.size(), static_cast<size_t>(TRequestScheduler::PageSizeLimit));
    EXPECT_EQ(Page(0).Body->Size(), 0); // read: released before the reaper comes
}

TEST_F(Scheduler, AFailedReapTickIsLoggedAndEnds)
{
    FreezeTickCount(true);
    SetNow(1000);
    QueuePages(1);
    scheduler.StartPages();
    scheduler.OnTimedOut = [](const TTimedOut&) { throw std::runtime_error("log full"); };
    SetNow(31001);
    scheduler.ReapPages();
    ASSERT_FALSE(ErrorLog::Lines().empty());
    EXPECT_EQ(ErrorLog::Lines().back(), "error code : #1001 (Timer3 (getpage)");
    EXPECT_FALSE(Page(0).Finished);
}

} // namespace
