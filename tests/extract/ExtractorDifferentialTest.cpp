#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "extract/LinkResolver.h"
#include "extract/LiteralExtractor.h"
#include "extract/PageGenerator.h"
#include "extract/SinkRecorder.h"
#include "platform/ErrorLog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string_view>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

const std::vector<std::string> kOrigins{
    "http://example.test/gallery/index.html", "http://example.test", "http://h.test/a.b/c/",
    "http://h.test/cgi/find?q=a/b/../c", "ftp:x", "https://s.test/a/p.html"};

struct TOutcome {
    std::map<std::string, std::vector<std::string>> calls;
    std::vector<std::string> log;
};

struct TFailure {
    int at = -1;
    std::string kind;
};

template <class Extract>
TOutcome RunExtract(Extract extract, const std::vector<std::string>& lines, const std::string& origin, int options,
                    const TFailure& failure)
{
    ErrorLog::ClearForTest();
    TSinkRecorder sink;
    sink.CheckLinks = options & 1;
    sink.Recursive = options & 2;
    sink.FailAtCall = failure.at;
    sink.FailKind = failure.kind;
    extract(lines, origin, sink);
    TOutcome outcome{sink.Received(), ErrorLog::Lines()};
    ErrorLog::ClearForTest();
    return outcome;
}

// Both entry points, every option, some origins: the fast extractor gives
// each queue and the list exactly the literal one's calls, and logs the same.
void ExpectSameAsLiteral(std::string_view body, const std::string& what, const TFailure& failAt = {},
                         const std::vector<std::string>& origins = kOrigins)
{
    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, body);
    for (const std::string& origin : origins) {
        for (int options = 0; options < 4; ++options) {
            const TOutcome fast = RunExtract(StartExtractLoop, lines, origin, options, failAt);
            const TOutcome literal = RunExtract(Literal::StartExtractLoop, lines, origin, options, failAt);
            ASSERT_EQ(fast.calls, literal.calls) << what << " origin " << origin << " options " << options;
            ASSERT_EQ(fast.log, literal.log) << what;
        }
        const TOutcome fast = RunExtract(CheckNewPageForSrc, lines, origin, 1, failAt);
        const TOutcome literal = RunExtract(Literal::CheckNewPageForSrc, lines, origin, 1, failAt);
        ASSERT_EQ(fast.calls, literal.calls) << what << " (thumbnail page) origin " << origin;
        ASSERT_EQ(fast.log, literal.log) << what;
    }
}

TEST(ExtractorDifferential, GeneratedPages)
{
    for (uint32_t seed = 1; seed <= 3; ++seed) {
        ExpectSameAsLiteral(PageGenerator::Gallery(seed, 6000), "gallery");
        ExpectSameAsLiteral(PageGenerator::OneLine(seed, 4000), "one line");
    }
}

TEST(ExtractorDifferential, HostilePages)
{
    // The literal walk is quadratic: small pages, two origins.
    const std::vector<std::string> origins{kOrigins[0], kOrigins[3]};
    ExpectSameAsLiteral(PageGenerator::UnmatchedQuotes(7, 1500), "unmatched quotes", {}, origins);
    ExpectSameAsLiteral(PageGenerator::UnclosedAnchors(7, 1500), "unclosed anchors", {}, origins);
    ExpectSameAsLiteral(std::string(1000, '<') + "a" + std::string(1000, 'a') + "/a", "many <", {}, origins);
    ExpectSameAsLiteral("<a <a <a <a x.jpg\" <img src=\"a/../b.jpg\" /a", "nested anchors");
}

TEST(ExtractorDifferential, RandomMarkup)
{
    std::mt19937 random(20261207);
    for (int i = 0; i < 150; ++i) {
        const uint32_t seed = random();
        ExpectSameAsLiteral(PageGenerator::RandomMarkup(seed, 20 + seed % 600), "random " + std::to_string(seed));
    }
}

TEST(ExtractorDifferential, FailingSink)
{
    const std::string page = PageGenerator::Gallery(11, 3000);
    const std::string unclosed = PageGenerator::UnclosedAnchors(3, 1000);
    for (const char* kind : {"QueuePageFetch", "QueueLinkCheck", "AddToListView"}) {
        for (int failAt = 0; failAt < 40; failAt += 3)
            ExpectSameAsLiteral(page, std::string(kind) + " failing at " + std::to_string(failAt), {failAt, kind},
                                {kOrigins[0]});
        for (int failAt = 0; failAt < 40; failAt += 7)
            ExpectSameAsLiteral(unclosed, std::string("unclosed, ") + kind + " failing at " + std::to_string(failAt),
                                {failAt, kind}, {kOrigins[0]});
    }
}

TEST(ExtractorDifferential, FuzzCorpus)
{
    const char* source = std::getenv("GS_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path corpus = std::filesystem::path(source) / "fuzz/extract/corpus";
    ASSERT_TRUE(std::filesystem::is_directory(corpus));
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        // The fuzz target's layout: origin length, origin, page.
        const std::string bytes = ReadFile(entry.path().string());
        if (bytes.empty())
            continue;
        const size_t originSize = std::min<size_t>(static_cast<unsigned char>(bytes[0]), bytes.size() - 1);
        ExpectSameAsLiteral(std::string_view(bytes).substr(1 + originSize), entry.path().string(), {},
                            {bytes.substr(1, originSize), kOrigins[0]});
    }
}

TEST(ExtractorDifferential, LinkResolution)
{
    static constexpr std::array<std::string_view, 13> kTokens{"../", "./", "/", "a", "b.c", ".", "http://",
                                                              "ftp://", "?q=", "x.jpg", "..", "h.test", "https://"};
    std::mt19937 random(5);
    const auto text = [&](size_t most) {
        std::string s;
        for (size_t n = random() % most; n > 0; --n)
            s += kTokens[random() % kTokens.size()];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string link = text(8);
        const std::string origin = std::string(random() % 4 ? (random() % 2 ? "http://" : "https://") : "") + text(8);
        ASSERT_EQ(AnalyzePath(link, origin), Literal::AnalyzePath(link, origin)) << link << " | " << origin;
    }
}

}
