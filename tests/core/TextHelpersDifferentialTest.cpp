#include "core/GeneratedText.h"
#include "core/LiteralTextHelpers.h"
#include "core/PercentCodeTable.h"
#include "core/TextHelpers.h"
#include <gtest/gtest.h>

// The helpers against their literal edit loops, on every short string over
// alphabets made of the bytes that matter and on random token soups.
namespace {

using Helper = void (*)(std::string, std::string&);

std::string Apply(Helper helper, const std::string& input)
{
    std::string out;
    helper(input, out);
    return out;
}

std::vector<std::string> CodeTokens()
{
    std::vector<std::string> tokens{"%", "%2", "%25", "2", "5", "3", "A", "F", "E", "7",
                                    "a", "f", "=", "/", "\"", "%2f", "%20", "\xBD"};
    for (const TPercentCode& entry : PercentCodeTable)
        tokens.emplace_back(entry.Code);
    return tokens;
}

TEST(TextHelpersDifferential, FixHTMLCodesMatchesTheTableOrderLoop)
{
    ForEachString("%253AF", 5, [](const std::string& s) {
        ASSERT_EQ(Apply(FixHTMLCodes, s), Literal::FixHTMLCodes(s)) << s;
    });
    std::mt19937 rng(1);
    const auto tokens = CodeTokens();
    for (int i = 0; i < 5000; ++i) {
        const std::string s = RandomTokens(rng, tokens, 12);
        ASSERT_EQ(Apply(FixHTMLCodes, s), Literal::FixHTMLCodes(s)) << s;
    }
}

TEST(TextHelpersDifferential, PhraseAndUrlHelpersMatchTheirLoops)
{
    auto check = [](const std::string& s) {
        ASSERT_EQ(Apply(FixMultiQuery, s), Literal::FixMultiQuery(s)) << s;
        ASSERT_EQ(Apply(MakeValidDir, s), Literal::MakeValidDir(s)) << s;
        ASSERT_EQ(Apply(ExtractFileNameFromURL, s), Literal::ExtractFileNameFromURL(s)) << s;
        ASSERT_EQ(Apply(ExtractPageLinkFromURL, s), Literal::ExtractPageLinkFromURL(s)) << s;
    };
    ForEachString(std::string_view(" ./\"?\\a\t\xA0", 9), 4, check);
    std::mt19937 rng(2);
    for (int i = 0; i < 3000; ++i)
        check(RandomBytes(rng, 40));
}

TEST(TextHelpersDifferential, LoadMemoMatchesTheByteByByteSplit)
{
    auto check = [](const std::string& body) {
        std::vector<std::string> lines;
        LoadMemoFromMemoryStream(lines, body);
        ASSERT_EQ(lines, Literal::LoadMemo(body)) << testing::PrintToString(body);
    };
    ForEachString(std::string_view("a\r\n\0", 4), 7, check);
    std::mt19937 rng(3);
    const std::vector<std::string> tokens{"x", "yz", "\r", "\n", "\r\n", "\n\r", std::string(1, '\0')};
    for (int i = 0; i < 3000; ++i)
        check(RandomTokens(rng, tokens, 30));
}

}
