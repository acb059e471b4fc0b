#include "core/GeneratedText.h"
#include "core/LiteralScrapers.h"
#include "core/RecordingSink.h"
#include "core/Scrapers.h"
#include <gtest/gtest.h>

// The scrapers against their literal edit loops on pages of token soup,
// random bytes and generated navigation lines.
namespace {

using Scraper = bool (*)(const std::vector<std::string>&, TSearchSink&);
using LiteralScraper = void (*)(const std::vector<std::string>&, TSearchSink&);

const std::vector<std::string> Tokens{
    "target=", "&id=", "<p><b><a href=\"", "<dd><b><a href=\"", "&gt;&gt;", "url=", "\">", "\"", ">",
    "pagenumlinks", "PageNumLinks", "right.gif", "RIGHT.GIF", "right.gi", "a href", "A HREF", "a hre",
    " ", "/", "x", "%3A", "%253A", "%2f", "&", "target", "&gt;"};

std::vector<std::string> TokenPage(std::mt19937& rng)
{
    std::vector<std::string> page(std::uniform_int_distribution<int>(0, 4)(rng));
    for (std::string& line : page)
        line = RandomTokens(rng, Tokens, 14);
    return page;
}

// A navigation line with random padding around its parts, so that both
// parities of the tail after the link's quote come up.
std::string NavigationLine(std::mt19937& rng)
{
    const std::vector<std::string> pad{"", " ", "x", "/i", "\"", ">", "a href"};
    auto p = [&] { return RandomTokens(rng, pad, 3); };
    return p() + "<td class=pagenumlinks>" + p() + "<a href=\"/s?p=" + p() + "\">" + p() + "<img src=\""
        + p() + "right.gif\">" + p();
}

void ExpectSame(Scraper fast, LiteralScraper literal, const std::vector<std::string>& page, bool checkLinks)
{
    TRecordingSink got, want;
    got.CheckLinks = want.CheckLinks = checkLinks;
    fast(page, got);
    literal(page, want);
    ASSERT_EQ(got.Calls, want.Calls) << testing::PrintToString(page);
}

TEST(ScrapersDifferential, AllFourMatchTheirEditLoops)
{
    const std::pair<Scraper, LiteralScraper> scrapers[] = {
        {ExractDataFromHotBot, Literal::ExractDataFromHotBot},
        {ExractDataFromLycos, Literal::ExractDataFromLycos},
        {ExractDataFromLycosImagesDirect, Literal::ExractDataFromLycosImagesDirect},
        {ExractDataFromScourNet, Literal::ExractDataFromScourNet},
    };
    std::mt19937 rng(4);
    for (int i = 0; i < 1500; ++i) {
        const auto page = TokenPage(rng);
        const std::vector<std::string> bytes{RandomBytes(rng, 60), RandomBytes(rng, 60)};
        for (const auto& [fast, literal] : scrapers) {
            ExpectSame(fast, literal, page, i % 2);
            ExpectSame(fast, literal, bytes, i % 2);
        }
    }
}

TEST(ScrapersDifferential, ScourNetNavigationLinesOfBothParities)
{
    std::mt19937 rng(5);
    int bare = 0, linked = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::vector<std::string> page{NavigationLine(rng)};
        ExpectSame(ExractDataFromScourNet, Literal::ExractDataFromScourNet, page, false);
        TRecordingSink sink;
        ExractDataFromScourNet(page, sink);
        ASSERT_EQ(sink.Calls.size(), 1u);
        (sink.Calls[0] == "page 1 " + sink.ScourNet ? bare : linked)++;
    }
    EXPECT_GT(bare, 50);
    EXPECT_GT(linked, 50);
}

}
