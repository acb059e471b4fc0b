#include "core/TextHelpers.h"
#include "extract/PageText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(PageText, OccurrencesAnswerLikeABisection)
{
    std::mt19937 random(3);
    for (int round = 0; round < 50; ++round) {
        TMarkerOccurrences list;
        for (size_t at = random() % 5, n = random() % 300; n > 0; --n, at += 1 + random() % 9)
            list.At.push_back(at);
        for (int query = 0; query < 300; ++query) {
            // Mostly small steps forward, now and then a jump anywhere.
            const size_t pos = random() % 4 ? (list.Finger < list.At.size() ? list.At[list.Finger] : 0) + random() % 20
                                            : random() % 3000;
            const size_t expected = std::lower_bound(list.At.begin(), list.At.end(), pos) - list.At.begin();
            ASSERT_EQ(list.FirstIndexFrom(pos), expected) << pos;
        }
    }
}

// A page read straight from its body is the page read from its lines.
TEST(PageText, FromTheBodyAsFromItsLines)
{
    using namespace std::string_literals;
    const std::string body = "a\r\nb\nc\rd\n\r e\0dropped\r\n\r\r\nlast"s;
    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, body);
    const TPageText fromLines(lines), fromBody = TPageText::FromBody(body);
    EXPECT_EQ(fromBody.Text(), fromLines.Text());
    ASSERT_EQ(fromBody.Lines().size(), fromLines.Lines().size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(fromBody.Lines()[i].Begin, fromLines.Lines()[i].Begin) << i;
        EXPECT_EQ(fromBody.Lines()[i].End, fromLines.Lines()[i].End) << i;
    }
}

// Every marker, every span of a random text: the same answers as a plain
// search of the span, with and without occurrence lists.
TEST(PageText, FindsInsideSpans)
{
    static const char* const kPieces[] = {"<a", "</A", "/a", ".JPG", ".jpg", "hReF=\"", "src=", "IMG", "\"", ".htm", "http", "x", "a"};
    std::mt19937 random(8);
    std::string text;
    while (text.size() < 300)
        text += kPieces[random() % std::size(kPieces)];
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (size_t indexFrom : {text.size() + 1, size_t{0}, size_t{100}}) {
        TPageText page({text});
        if (indexFrom <= text.size())
            page.IndexFrom(indexFrom);
        for (int query = 0; query < 3000; ++query) {
            const auto marker = static_cast<TMarker>(random() % static_cast<size_t>(TMarker::Count));
            const TMarkerWord& word = MarkerWord(marker);
            const std::string_view haystack = word.AnyCase ? lower : text;
            const size_t begin = random() % (text.size() + 1);
            const size_t end = begin + random() % (text.size() + 1 - begin);
            const std::string_view span = haystack.substr(begin, end - begin);
            const size_t first = span.find(word.Word);
            const size_t last = span.rfind(word.Word);
            ASSERT_EQ(page.Find(marker, {begin, end}), first == std::string_view::npos ? TPageText::npos : begin + first);
            ASSERT_EQ(page.RFind(marker, {begin, end}), last == std::string_view::npos ? TPageText::npos : begin + last);
        }
    }
}

}
