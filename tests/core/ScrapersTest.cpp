#include "core/RecordingSink.h"
#include "core/Scrapers.h"
#include "platform/ErrorLog.h"
#include <gtest/gtest.h>

namespace {

using L = std::vector<std::string>;
using Scraper = bool (*)(const std::vector<std::string>&, TSearchSink&);

L Scrape(Scraper scraper, const L& lines, bool checkLinks = false)
{
    TRecordingSink sink;
    sink.CheckLinks = checkLinks;
    scraper(lines, sink);
    return sink.Calls;
}

TEST(ExractDataFromHotBot, EveryTargetValueUpToTheNextIdIsAPage)
{
    EXPECT_EQ(Scrape(ExractDataFromHotBot,
                     {"<a href=\"/r?target=http%3A%2F%2Fa.test%2F1.html&id=1\">"
                      "<a href=\"/r?target=http://b.test/2%20x.html&id=2\"><a href=\"/r?target=c&id=3\">"}),
              (L{"page 99 http://a.test/1.html", "page 99 http://b.test/2%20x.html", "page 99 c"}));
    // A value runs to the first "&id=" after it, past a following "target=".
    EXPECT_EQ(Scrape(ExractDataFromHotBot, {"target=a target=b&id=1"}),
              (L{"page 99 a target=b", "page 99 b"}));
}

TEST(ExractDataFromHotBot, TargetWithoutIdQueuesAnEmptyLinkAndTargetAtLineEndNothing)
{
    EXPECT_EQ(Scrape(ExractDataFromHotBot, {"target=x.html", "foo target=", "no marker"}),
              (L{"page 99 "}));
}

TEST(ExractDataFromLycos, FirstResultLinkOfALineOnly)
{
    EXPECT_EQ(Scrape(ExractDataFromLycos,
                     {"<p><b><a href=\"http://a.test/%7Eme/\">A</a><p><b><a href=\"http://b.test/\">",
                      "<p><b><a href=\"", "<P><B><A HREF=\"http://c.test/\">"}),
              (L{"page 99 http://a.test/~me/"}));
}

TEST(ExractDataFromLycosImagesDirect, PicturesAreRoutedByCheckLinks)
{
    const L page{"<dd><b><a href=\"http://a.test/p%2Ejpg\">p</a>", "<dd><b><a href=\"\">"};
    EXPECT_EQ(Scrape(ExractDataFromLycosImagesDirect, page), (L{"list http://a.test/p.jpg 0"}));
    EXPECT_EQ(Scrape(ExractDataFromLycosImagesDirect, page, true), (L{"check http://a.test/p.jpg"}));
}

TEST(ExractDataFromLycosImagesDirect, OnlyTheFirstNextPageUndecoded)
{
    EXPECT_EQ(Scrape(ExractDataFromLycosImagesDirect,
                     {"<a href=\"/cat?q=x%3Ay&first=11\">&gt;&gt;</a>", "<a href=\"/cat?first=21\">&gt;&gt;</a>"}),
              (L{"page 4 http://lycos.test/cat?q=x%3Ay&first=11"}));
    EXPECT_EQ(Scrape(ExractDataFromLycosImagesDirect, {"next &gt;&gt; /cat?first=11"}),
              (L{"page 4 http://lycos.test" "next &gt;&gt; /cat?first=11"}));
}

TEST(ExractDataFromLycosImagesDirect, NextPageIsSoughtAfterThePictureOnTheSameLine)
{
    EXPECT_EQ(Scrape(ExractDataFromLycosImagesDirect,
                     {"<dd><b><a href=\"p.jpg\">x</a> <a href=\"/cat?first=11\">&gt;&gt;</a>"}),
              (L{"list p.jpg 0", "page 4 http://lycos.test>x</a> <a href="}));
}

TEST(ExractDataFromScourNet, PictureIsWhatFollowsUrlUpToQuoteBracket)
{
    EXPECT_EQ(Scrape(ExractDataFromScourNet,
                     {"<a href=\"/go?url=http://a.test/a%2Ejpg\"><img>", "<a href=/go?url=http://b.test/b.jpg>",
                      "url="}),
              (L{"list http://a.test/a.jpg 0", "list http://b.test/b.jpg> 0"}));
}

TEST(ExractDataFromScourNet, NextPageSurvivesOnlyWhenTheTailAfterItsQuoteIsOdd)
{
    const std::string nav = "<td class=\"pagenumlinks\"><a href=\"/cgi-bin/search.cgi?p=2\">";
    EXPECT_EQ(Scrape(ExractDataFromScourNet, {nav + "<img src=\"right.gif\"></a></td>"}),
              (L{"page 1 http://scour.test/cgi-bin/search.cgi?p=2"}));
    EXPECT_EQ(Scrape(ExractDataFromScourNet, {nav + "<img src=\"/i/right.gif\"></a></td>"}),
              (L{"page 1 http://scour.test"}));
    // Markers in any letter case; every navigation line queues a page.
    EXPECT_EQ(Scrape(ExractDataFromScourNet, {"<TD CLASS=PageNumLinks><A HREF=\"/s?p=3\"><IMG SRC=\"RIGHT.GIF\">",
                                              nav + "<img src=\"right.gif\">"}),
              (L{"page 1 http://scour.test/s?p=3", "page 1 http://scour.test/cgi-bin/search.cgi?p=2"}));
}

TEST(Scrapers, AFailureIsLoggedAndEndsTheScrapeKeepingWhatWasHandedOn)
{
    const struct {
        Scraper scraper;
        std::string line;
        const char* log;
    } cases[] = {
        {ExractDataFromHotBot, "target=a&id=1", "error code : #0040 (ExractDataFromHotBot)"},
        {ExractDataFromLycos, "<p><b><a href=\"a\"", "error code : #0041 (ExractDataFromLycos)"},
        {ExractDataFromLycosImagesDirect, "<dd><b><a href=\"a\"", "error code : #0042 (ExractDataFromLycosImagesDirect)"},
        {ExractDataFromScourNet, "url=a", "error code : #0043 (ExractDataFromScourNet)"},
    };
    for (const auto& c : cases) {
        ErrorLog::ClearForTest();
        TRecordingSink sink;
        sink.FailAfter = 1;
        EXPECT_TRUE(c.scraper({c.line, c.line, c.line}, sink)) << "a marker was met before the failure";
        EXPECT_EQ(sink.Calls.size(), 1u) << c.log;
        EXPECT_EQ(ErrorLog::Lines(), (L{c.log}));
    }
}

TEST(Scrapers, APageWithoutMarkersYieldsNothingAndLogsNothing)
{
    ErrorLog::ClearForTest();
    const L page{"<html>", "", "<a href=\"x.jpg\">", "target", "url", "&gt;"};
    for (Scraper scraper : {ExractDataFromHotBot, ExractDataFromLycos, ExractDataFromLycosImagesDirect,
                            ExractDataFromScourNet}) {
        TRecordingSink sink;
        EXPECT_FALSE(scraper(page, sink));
        EXPECT_TRUE(sink.Calls.empty());
    }
    EXPECT_TRUE(ErrorLog::Lines().empty());
}

// A marker tells the page is in the scraper's format, also where it yields nothing.
TEST(Scrapers, AMarkerIsReportedEvenWhereItYieldsNothing)
{
    const std::pair<Scraper, L> pages[] = {
        {ExractDataFromHotBot, {"", "<a href=\"/r?target="}},
        {ExractDataFromLycos, {"<p><b><a href=\""}},
        {ExractDataFromLycosImagesDirect, {"<dd><b><a href=\""}},
        {ExractDataFromLycosImagesDirect, {"More &gt;&gt;"}},
        {ExractDataFromScourNet, {"url=", "x"}},
        {ExractDataFromScourNet, {"<td class=PageNumLinks><img src=\"RIGHT.GIF\">"}},
    };
    for (const auto& [scraper, page] : pages) {
        TRecordingSink sink;
        EXPECT_TRUE(scraper(page, sink)) << page[0];
    }
}

}
