#include "platform/IniFile.h"
#include "search/SearchEngine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The engine's queues and result list, without a search running.
class EngineQueues : public ::testing::Test {
protected:
    void SetUp() override { engine.Settings = &settings; }

    TempDir dir;
    TIniFile settings{dir.File("glimmerscout.ini")};
    TSearchEngine engine;
};

// The Windows letters fold like the ASCII ones: "\xC4" (A umlaut) and
// "\xE4" (a umlaut) are one letter in the queues and the result list.
TEST_F(EngineQueues, LatinOneLettersFoldInEveryCaseInsensitiveTest)
{
    engine.SearchActive = true;
    engine.QueuePageFetch("http://a.test/\xC4rger.html", 99);
    engine.QueuePageFetch("http://a.test/\xE4rger.html", 99);
    engine.QueueLinkCheck("http://a.test/\xDE\x8A.jpg");
    engine.QueueLinkCheck("http://a.test/\xFE\x9A.jpg");
    engine.AddToListView("http://a.test/\xC9t\xE9.jpg", 0);
    engine.AddToListView("http://a.test/\xE9T\xC9.jpg", 0);
    EXPECT_EQ(engine.Scheduler.GetPageQueue.size(), 1u);
    EXPECT_EQ(engine.Scheduler.CheckLinkQueue.size(), 1u);
    EXPECT_EQ(engine.FoundFiles.size(), 1u);
    // The multiplication sign is no capital of the division sign.
    engine.AddToListView("http://a.test/\xD7.jpg", 0);
    engine.AddToListView("http://a.test/\xF7.jpg", 0);
    EXPECT_EQ(engine.FoundFiles.size(), 3u);
}

// A check line is the URL alone: a link with a tab is checked as it would be
// listed with Check Links cleared.
TEST_F(EngineQueues, ALinkWithATabIsCheckedAsItWouldBeListed)
{
    engine.QueueLinkCheck("http://a.test/a\tb.jpg");
    EXPECT_EQ(engine.Scheduler.CheckLinkQueue.size(), 1u);
}

TEST_F(EngineQueues, OnlyTheServicesSwitchedOnAreQueried)
{
    settings.WriteString("Options", "HotBotBaseAddress", "http://127.0.0.1:8001");
    settings.WriteString("Options", "ScourNetBaseAddress", "http://127.0.0.1:8003");
    engine.ServicesOn = {true, false, true, false};
    ASSERT_TRUE(engine.Start("x", false));
    ASSERT_EQ(engine.Scheduler.GetPageQueue.size(), 2u);
    EXPECT_EQ(engine.Scheduler.GetPageQueue[0].substr(0, 24), "http://127.0.0.1:8001/?c");
    EXPECT_EQ(engine.Scheduler.GetPageQueue[1],
              "http://127.0.0.1:8003/cgi-bin/search.cgi?index=image&preview_size=small&query=x\t1");
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
    ASSERT_EQ(engine.Scheduler.GetPageQueue.size(), 4u);
    EXPECT_EQ(engine.Scheduler.GetPageQueue[2],
              std::string("http://www.scournet.com/cgi-bin/search.cgi?index=image&preview_size=small&query=")
                  + GetParam().query + "\t1");
    EXPECT_EQ(engine.SearchDirName, GetParam().dirName);
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
