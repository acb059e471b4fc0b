#include "RawHttp.h"
#include "ResultReaders.h"
#include "RunningWeb.h"

#include "sampleweb/Content.h"

#include <gtest/gtest.h>

using namespace sampleweb;

namespace {

std::vector<std::string> Expanded(const std::vector<std::string>& urls)
{
    std::vector<std::string> out;
    for (const std::string& url : urls)
        out.push_back(RunningWeb().Expand(url));
    return out;
}

std::vector<std::string> ResultPage(const std::string& url)
{
    const RawAnswer answer = RawGet(url);
    EXPECT_EQ(answer.status, 200) << url;
    EXPECT_EQ(answer.Header("content-type"), "text/html") << url;
    return Lines(answer.body);
}

// Follows the next-page links as the program does, at most ten pages deep.
std::vector<ResultLinks> FollowPages(const std::string& first, const std::string& base,
                                     ResultLinks (*read)(const std::vector<std::string>&))
{
    std::vector<ResultLinks> pages;
    for (std::string url = first; !url.empty() && pages.size() < 10;) {
        pages.push_back(read(ResultPage(url)));
        url = pages.back().next.empty() ? std::string() : base + pages.back().next.front();
    }
    return pages;
}

TEST(SampleWebServices, HotBotAndLycosListTheWebPagesForAnyPhrase)
{
    std::vector<std::string> hotBot;
    for (const auto& line : Results().hotBotLines)
        for (const std::string& page : Expanded(line))
            hotBot.push_back(page);
    for (const char* query : {"red+car", "%22sunset%22+beach%2Fsea", ""}) {
        EXPECT_EQ(ReadHotBot(ResultPage(HotBotQuery(query))).links, hotBot) << query;
        EXPECT_EQ(ReadLycos(ResultPage(LycosQuery(query))).links, Expanded(Results().lycosPages)) << query;
    }
}

TEST(SampleWebServices, ScourNetPagesChainToTheLastAndCarryThePhrase)
{
    const std::vector<ResultLinks> pages =
        FollowPages(ScourNetQuery("red+car"), RunningWeb().Base(Host::ScourNet), ReadScourNet);
    const auto& expected = Results().scourNetPages;
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].links, Expanded(expected[i])) << "page " << i + 1;
    EXPECT_EQ(pages[0].next.front(), "/cgi-bin/search.cgi?index=image&preview_size=small&query=red%20car&page=2");
}

TEST(SampleWebServices, ImagesDirectPagesChainByTheirFirstNextLink)
{
    const std::string base = RunningWeb().Base(Host::Lycos);
    const std::vector<ResultLinks> pages = FollowPages(ImagesDirectQuery("red+car"), base, ReadImagesDirect);
    const ServiceResults& results = Results();
    ASSERT_EQ(pages.size(), results.imagesDirectPages.size());
    for (size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(pages[i].links, Expanded(results.imagesDirectPages[i])) << "page " << i + 1;

    // The second next link of that page leads where the first-only reader never goes.
    const ResultLinks& twoLinks = pages[results.imagesDirectPageWithTwoNextLinks - 1];
    ASSERT_EQ(twoLinks.next.size(), 2u);
    EXPECT_EQ(ReadImagesDirect(ResultPage(base + twoLinks.next[1])).links,
              Expanded(results.imagesDirectStrayPictures));
}

TEST(SampleWebServices, OtherPathsAndQueriesWithoutPhraseAreNotFound)
{
    const Addresses& web = RunningWeb();
    for (const std::string& url :
         {web.Base(Host::HotBot) + "/?clickSrc=search", web.Base(Host::HotBot) + "/search?MT=x",
          web.Base(Host::Lycos) + "/cgi-bin/pursuit?cat=news&query=x", web.Base(Host::Lycos) + "/cgi-bin/pursuit?cat=lycos",
          web.Base(Host::ScourNet) + "/cgi-bin/search.cgi?index=video&query=x"}) {
        const RawAnswer answer = RawGet(url);
        EXPECT_EQ(answer.status, 404) << url;
        EXPECT_EQ(answer.Header("content-type"), "text/html") << url;
    }
}

} // namespace
