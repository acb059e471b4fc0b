#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/IniFile.h"
#include "sampleweb/StallServer.h"
#include "search/EngineProbe.h"
#include "search/SearchEngine.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The engine's queues, result list, start and abort, with its timers
// stopped: nothing runs but what a test starts.
class EngineQueues : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine.UseSettings(settings);
        for (QTimer* t : probe.Timers().All())
            t->stop();
        engine.OnPageRepeats.Listen([this](uint64_t n) { pageRepeats += n; });
        engine.OnCheckRepeats.Listen([this](uint64_t n) { checkRepeats += n; });
    }

    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i)
            engine.AddToListView("http://h.test/p" + std::to_string(i) + ".jpg", {});
    }
    std::vector<bool> Finished()
    {
        std::vector<bool> marks;
        for (const auto* requests : {&probe.Scheduler().Pages(), &probe.Scheduler().Checks()})
            for (const TRunningRequest& r : *requests)
                marks.push_back(r.Finished);
        return marks;
    }

    TempDir dir;
    TIniFile settings{dir.File("glimmerscout.ini")};
    TSearchEngine engine;
    TEngineProbe probe{engine};
    uint64_t pageRepeats = 0;
    uint64_t checkRepeats = 0;
};

// The Windows letters fold like the ASCII ones: "\xC4" (A umlaut) and
// "\xE4" (a umlaut) are one letter in the queues and the result list.
TEST_F(EngineQueues, LatinOneLettersFoldInEveryCaseInsensitiveTest)
{
    probe.SetActive(true);
    engine.QueuePageFetch("http://a.test/\xC4rger.html", ecListedPage);
    engine.QueuePageFetch("http://a.test/\xE4rger.html", ecListedPage);
    engine.QueueLinkCheck("http://a.test/\xDE\x8A.jpg");
    engine.QueueLinkCheck("http://a.test/\xFE\x9A.jpg");
    engine.AddToListView("http://a.test/\xC9t\xE9.jpg", {});
    engine.AddToListView("http://a.test/\xE9T\xC9.jpg", {});
    EXPECT_EQ(probe.Scheduler().GetPageQueue.size(), 1u);
    EXPECT_EQ(probe.Scheduler().CheckLinkQueue.size(), 1u);
    EXPECT_EQ(engine.FoundFiles().size(), 1u);
    // The multiplication sign is no capital of the division sign.
    engine.AddToListView("http://a.test/\xD7.jpg", {});
    engine.AddToListView("http://a.test/\xF7.jpg", {});
    EXPECT_EQ(engine.FoundFiles().size(), 3u);
}

// A check line is the URL alone: a link with a tab is checked as it would be
// listed with Check Links cleared.
TEST_F(EngineQueues, ALinkWithATabIsCheckedAsItWouldBeListed)
{
    engine.QueueLinkCheck("http://a.test/a\tb.jpg");
    EXPECT_EQ(probe.Scheduler().CheckLinkQueue.size(), 1u);
}

TEST_F(EngineQueues, OnlyTheServicesSwitchedOnAreQueried)
{
    settings.WriteString("Options", "HotBotBaseAddress", "http://127.0.0.1:8001");
    settings.WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:8003");
    engine.SetServicesOn({true, false, true, false});
    ASSERT_TRUE(engine.Start("x", false));
    ASSERT_EQ(probe.Scheduler().GetPageQueue.size(), 2u);
    EXPECT_EQ(probe.Scheduler().GetPageQueue[0].substr(0, 24), "http://127.0.0.1:8001/?c");
    EXPECT_EQ(probe.Scheduler().GetPageQueue[1],
              "http://127.0.0.1:8003/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");
}

TEST_F(EngineQueues, BaseAddressesDefaultToThePublicHostsAndAreReadAtEverySearch)
{
    ASSERT_TRUE(engine.Start("x", false));
    EXPECT_EQ(probe.Scheduler().GetPageQueue[2],
              "http://www.scournet.com/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");

    engine.Abort();
    settings.WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:9");
    ASSERT_TRUE(engine.Start("x", false));
    EXPECT_EQ(probe.Scheduler().GetPageQueue[2],
              "http://127.0.0.1:9/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");
}

TEST_F(EngineQueues, EmptyPhraseChangesOnlyLimitsAndDirName)
{
    ASSERT_TRUE(engine.Start("old", false));
    engine.Abort();
    settings.WriteBool("Options", "SlowConnection", false);
    AddRows(1); // no search active: refused
    probe.SetActive(true);
    AddRows(3);
    probe.SetActive(false);
    EXPECT_FALSE(engine.Start("", false));
    EXPECT_EQ(probe.Scheduler().GetPageClientLimit, 19);
    EXPECT_EQ(probe.Scheduler().CheckLinkClientLimit, 24);
    EXPECT_EQ(engine.SearchDirName(), "");
    EXPECT_TRUE(probe.Scheduler().GetPageQueue.empty());
    EXPECT_EQ(engine.FoundFiles().size(), 3u);
    EXPECT_FALSE(engine.Active());
}

TEST_F(EngineQueues, PhraseEscapesAndDirName)
{
    settings.WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:8003");
    ASSERT_TRUE(engine.Start("\"cats/dogs\" ?", false));
    EXPECT_EQ(TextBeforeTab(probe.Scheduler().GetPageQueue[2]),
              "http://127.0.0.1:8003/cgi-bin/search.cgi?index=image&preview_size=small&query=%22cats%2Fdogs%22+?");
    EXPECT_EQ(engine.SearchDirName(), "catsdogs ");
}

TEST_F(EngineQueues, AbortKeepsResultsEmptiesQueuesAndMarksRequests)
{
    // Takes connections and never answers: requests to it run until aborted.
    sampleweb::StallServer stall;
    const std::string stallBase = "http://127.0.0.1:" + std::to_string(stall.Start());
    ASSERT_TRUE(engine.Start("x", false));
    AddRows(2);
    engine.QueueLinkCheck("http://h.test/a.jpg");
    probe.Scheduler().GetPage(stallBase + "/a.html", ecListedPage);
    probe.Scheduler().GetPage(stallBase + "/b.html", ecListedPage);
    probe.Scheduler().MarkFinished(probe.Scheduler().Pages()[1].Client.get());
    probe.Scheduler().CheckLink(stallBase + "/c.jpg");
    ASSERT_EQ(Finished(), (std::vector<bool>{false, true, false}));
    engine.Abort();
    EXPECT_FALSE(engine.Active());
    EXPECT_TRUE(probe.Scheduler().GetPageQueue.empty());
    EXPECT_TRUE(probe.Scheduler().CheckLinkQueue.empty());
    EXPECT_EQ(Finished(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(engine.FoundFiles().size(), 2u);
    EXPECT_TRUE(probe.Timers().PageReap->isActive()); // the reapers run on
    EXPECT_TRUE(probe.Timers().CheckReap->isActive());
}

TEST_F(EngineQueues, RepeatsAreRefusedAndCounted)
{
    engine.QueuePageFetch("http://a.test/x.html", ecListedPage);
    engine.QueuePageFetch("HTTP://A.TEST/X.HTML", ecThumbnailPage);
    engine.QueueLinkCheck("http://a.test/p.jpg");
    engine.QueueLinkCheck("http://A.test/P.jpg");
    engine.QueueLinkCheck("http://a.test/p.jpg");
    TRequestScheduler& s = probe.Scheduler();
    EXPECT_EQ(s.GetPageQueue.size(), 1u);
    EXPECT_EQ(s.GetPageQueue[0], "http://a.test/x.html\t99");
    EXPECT_EQ(s.CheckLinkQueue.size(), 1u);
    EXPECT_EQ(pageRepeats, 1u);
    EXPECT_EQ(checkRepeats, 2u);

    // Once the first has left the queue, the URL can wait again.
    s.CheckLinkQueue.RemoveFirst();
    engine.QueueLinkCheck("http://a.test/p.jpg");
    EXPECT_EQ(s.CheckLinkQueue.size(), 1u);
    EXPECT_EQ(checkRepeats, 2u);

    // A URL with a tab cannot travel in a queue line.
    engine.QueuePageFetch("http://a.test/\tx", ecListedPage);
    EXPECT_EQ(s.GetPageQueue.size(), 1u);
    EXPECT_EQ(pageRepeats, 1u);
}

// An anchor met at every step of a page hands the same link over millions of
// times: the counters must end as if each call had been made.
TEST_F(EngineQueues, RepeatedCallsCountAsSingleOnes)
{
    TRequestScheduler& s = probe.Scheduler();
    engine.QueueLinkCheckTimes("http://a.test/p.jpg", 5);
    EXPECT_EQ(s.CheckLinkQueue.size(), 1u);
    EXPECT_EQ(checkRepeats, 4u);
    engine.QueueLinkCheckTimes("HTTP://a.test/p.jpg", 3);
    EXPECT_EQ(checkRepeats, 7u);
    engine.QueueLinkCheckTimes("http://a.test/q.jpg", 0);
    EXPECT_EQ(s.CheckLinkQueue.size(), 1u);

    engine.QueuePageFetchTimes("http://a.test/x.html", ecThumbnailPage, 2'000'000'000'000);
    EXPECT_EQ(s.GetPageQueue.size(), 1u);
    EXPECT_EQ(pageRepeats, 1999999999999u);
    engine.QueuePageFetchTimes("http://a.test/\tx", ecThumbnailPage, 9);
    EXPECT_EQ(s.GetPageQueue.size(), 1u);
    EXPECT_EQ(pageRepeats, 1999999999999u);
}

struct TPhraseCase {
    const char* label;
    const char* phrase;
    const char* query;   // as ScourNet receives it
    const char* dirName; // the Smart Save folder
};

class PhraseBytes : public EngineQueues, public ::testing::WithParamInterface<TPhraseCase> {};

// One phrase gives one query, however it was typed: the services get their
// code page, the disk gets UTF-8.
TEST_P(PhraseBytes, ServicesGetTheCodePageAndTheFolderUtf8)
{
    ASSERT_TRUE(engine.Start(GetParam().phrase, false));
    ASSERT_EQ(probe.Scheduler().GetPageQueue.size(), 4u);
    EXPECT_EQ(probe.Scheduler().GetPageQueue[2],
              std::string("http://www.scournet.com/cgi-bin/search.cgi?index=image&preview_size=small&query=")
                  + GetParam().query + "\t1");
    EXPECT_EQ(engine.SearchDirName(), GetParam().dirName);
}

INSTANTIATE_TEST_SUITE_P(
    All, PhraseBytes,
    ::testing::Values(
        TPhraseCase{"Utf8", "caf\xC3\xA9 au lait", "caf\xE9+au+lait", "caf\xC3\xA9 au lait"},
        TPhraseCase{"CodePageBytes", "caf\xE9", "caf\xE9", "caf\xC3\xA9"},
        TPhraseCase{"EuroSign", "\xE2\x82\xAC/5", "\x80%2F5", "\xE2\x82\xAC" "5"},
        TPhraseCase{"LettersTheCodePageLacks", "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE",
                    "%26%231060%3B%26%231086%3B%26%231090%3B%26%231086%3B", "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE"},
        TPhraseCase{"BeyondSixteenBits", "\xF0\x9F\x98\x80", "%26%23128512%3B", "\xF0\x9F\x98\x80"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
