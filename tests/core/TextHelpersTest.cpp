#include "core/TextHelpers.h"
#include <gtest/gtest.h>

namespace {

using Helper = void (*)(std::string, std::string&);

std::string Edited(Helper helper, const std::string& input)
{
    std::string out = "untouched";
    helper(input, out);
    return out;
}

std::vector<std::string> Lines(std::string_view body)
{
    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, body);
    return lines;
}

using L = std::vector<std::string>;

TEST(FixMultiQuery, TrimsControlBytesAndEscapesBlankSlashAndQuote)
{
    EXPECT_EQ(Edited(FixMultiQuery, " red sports car/1 "), "red+sports+car%2F1");
    EXPECT_EQ(Edited(FixMultiQuery, "   "), "");
    EXPECT_EQ(Edited(FixMultiQuery, "a  b"), "a++b");
    EXPECT_EQ(Edited(FixMultiQuery, "say \"cheese\""), "say+%22cheese%22");
    EXPECT_EQ(Edited(FixMultiQuery, "\t\r\n\x01x\ty\x1f"), "x\ty");
    EXPECT_EQ(Edited(FixMultiQuery, "a&b?c=d%e+f"), "a&b?c=d%e+f");
}

TEST(FixMultiQuery, BytesAbove127AreNeverTrimmed)
{
    EXPECT_EQ(Edited(FixMultiQuery, "\xA0" "caf\xE9 \xFF"), "\xA0" "caf\xE9+\xFF");
}

TEST(FixHTMLCodes, DecodesTableCodesOnlyInUpperCase)
{
    EXPECT_EQ(Edited(FixHTMLCodes, "http%3A%2F%2Fexample.test%2Fx.jpg"), "http://example.test/x.jpg");
    EXPECT_EQ(Edited(FixHTMLCodes, "%2f%3a%7e"), "%2f%3a%7e");
    EXPECT_EQ(Edited(FixHTMLCodes, "a%20b"), "a%20b");
    EXPECT_EQ(Edited(FixHTMLCodes, "%25"), "%25");
    EXPECT_EQ(Edited(FixHTMLCodes, "%3D%22%27%5F%2D%2E"), "=\"'_-.");
    EXPECT_EQ(Edited(FixHTMLCodes, "%BD%A3%A4%A7"), "\xBD\xA3\xA4\xA7");
    EXPECT_EQ(Edited(FixHTMLCodes, ""), "");
}

TEST(FixHTMLCodes, DoublyEscapedFormsDecodeOnceAndOnlyOnce)
{
    EXPECT_EQ(Edited(FixHTMLCodes, "%253A%252F%257E"), ":/~");
    // A triple escape holds no table code: it stays.
    EXPECT_EQ(Edited(FixHTMLCodes, "%25253A"), "%25253A");
    // A decoded "%" or digit never joins a following code.
    EXPECT_EQ(Edited(FixHTMLCodes, "%25%3A"), "%25:");
    EXPECT_EQ(Edited(FixHTMLCodes, "%%3A3A"), "%:3A");
}

TEST(UrlParts, FileNameIsAfterTheLastSlash)
{
    EXPECT_EQ(Edited(ExtractFileNameFromURL, "http://example.test/a/b/pic.jpg"), "pic.jpg");
    EXPECT_EQ(Edited(ExtractFileNameFromURL, "pic.jpg"), "pic.jpg");
    EXPECT_EQ(Edited(ExtractFileNameFromURL, "http://example.test/dir/"), "");
    EXPECT_EQ(Edited(ExtractFileNameFromURL, "http://example.test/show?img=a/b.jpg"), "b.jpg");
}

TEST(UrlParts, PageLinkIsUpToTheLastSlash)
{
    EXPECT_EQ(Edited(ExtractPageLinkFromURL, "http://example.test/a/b/pic.jpg"), "http://example.test/a/b/");
    EXPECT_EQ(Edited(ExtractPageLinkFromURL, "http://example.test"), "http://");
    EXPECT_EQ(Edited(ExtractPageLinkFromURL, "http://example.test/a/"), "http://example.test/a/");
    EXPECT_EQ(Edited(ExtractPageLinkFromURL, "pic.jpg"), "");
    EXPECT_EQ(Edited(ExtractPageLinkFromURL, ""), "");
}

TEST(MakeValidDir, DropsForbiddenCharactersThenOneLeadingDot)
{
    EXPECT_EQ(Edited(MakeValidDir, "cats/dogs?"), "catsdogs");
    EXPECT_EQ(Edited(MakeValidDir, ".hidden"), "hidden");
    EXPECT_EQ(Edited(MakeValidDir, "..x"), ".x");
    EXPECT_EQ(Edited(MakeValidDir, "\".x"), "x");
    EXPECT_EQ(Edited(MakeValidDir, "a\"?*/><|\\b"), "ab");
    EXPECT_EQ(Edited(MakeValidDir, " a:b "), " a:b ");
    EXPECT_EQ(Edited(MakeValidDir, ""), "");
}

TEST(LoadMemoFromMemoryStream, BreaksOnCrLfLoneCrAndLoneLf)
{
    EXPECT_EQ(Lines("a\r\nb\nc\rd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n"), (L{"a"}));
    EXPECT_EQ(Lines("a\n\r b"), (L{"a", "", " b"}));
    EXPECT_EQ(Lines("a\r\r\n\nb"), (L{"a", "", "", "b"}));
    EXPECT_EQ(Lines("\n"), (L{""}));
    EXPECT_EQ(Lines("abc"), (L{"abc"}));
    EXPECT_EQ(Lines(""), L{});
}

TEST(LoadMemoFromMemoryStream, NulEndsOnlyTheTextOfItsLine)
{
    using namespace std::string_view_literals;
    EXPECT_EQ(Lines("ab\0cd\r\nef"sv), (L{"ab", "ef"}));
    EXPECT_EQ(Lines("\0\nx"sv), (L{"", "x"}));
    // Bytes after the last break make a line even when a NUL empties it.
    EXPECT_EQ(Lines("a\n\0b"sv), (L{"a", ""}));
}

TEST(LoadMemoFromMemoryStream, AppendsToWhatTheListHolds)
{
    std::vector<std::string> lines{"kept"};
    LoadMemoFromMemoryStream(lines, "x\ny", 3);
    LoadMemoFromMemoryStream(lines, nullptr, 0);
    EXPECT_EQ(lines, (L{"kept", "x", "y"}));
}

}
