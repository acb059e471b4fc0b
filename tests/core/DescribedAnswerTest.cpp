#include "core/DescribedAnswer.h"
#include "core/AnswerCheck.h"

#include <gtest/gtest.h>

namespace {

// A description with the given paging and answer fields around a request
// that ends with its paging parameter.
TSourceDescription Described(const std::string& paging, const std::string& answer,
                             const std::string& url = "https://a.test/s?q={searchTerms}&p={startPage}")
{
    const std::string text = R"({"name": "T", "shortName": "t", "request": {"url": ")" + url + R"("},
        "paging": )" + paging + R"(, "answer": )" + answer + "}";
    TDescriptionRead read = ReadSourceDescription("t.json", text);
    EXPECT_TRUE(read.Description) << read.Fault.Text();
    return read.Description.value_or(TSourceDescription{});
}

constexpr const char* PlainAnswer =
    R"({"expect": ["$.items", ["$.none", "!$.error"]], "error": "$.error", "results": "$.items[*]", "picture": "@.u"})";

struct TPagingCase {
    const char* what;
    const char* paging;
    const char* body;
    int page;
    const char* next; // the next page's suffix; empty: none
};

TEST(DescribedAnswer, FollowsEachKindOfPagingToItsEnd)
{
    const TPagingCase cases[] = {
        {"page count, below", R"({"by": "page", "pages": "$.n"})", R"({"n": 3, "items": [{"u": "a"}]})", 2, "&p=3"},
        {"page count, reached", R"({"by": "page", "pages": "$.n"})", R"({"n": 3, "items": [{"u": "a"}]})", 3, ""},
        {"the answer's own page", R"({"by": "page", "page": "$.p", "pages": "$.n"})",
         R"({"p": 3, "n": 3, "items": [{"u": "a"}]})", 1, ""},
        {"own page missing", R"({"by": "page", "page": "$.p", "pages": "$.n"})", R"({"n": 3, "items": [{"u": "a"}]})",
         1, ""},
        {"numbered from 0", R"({"by": "page", "first": 0, "page": "$.p", "pages": "$.n"})",
         R"({"p": 0, "n": 2, "items": [{"u": "a"}]})", 1, "&p=1"},
        {"page count as text", R"({"by": "page", "pages": "$.n"})", R"({"n": "3", "items": [{"u": "a"}]})", 1, "&p=2"},
        {"next link", R"({"by": "page", "next": "$.next"})", R"({"next": "https://a.test/2", "items": [{"u": "a"}]})", 1,
         "&p=2"},
        {"next link null", R"({"by": "page", "next": "$.next"})", R"({"next": null, "items": [{"u": "a"}]})", 1, ""},
        {"total, more left", R"({"by": "offset", "count": 2, "total": "$.t"})",
         R"({"t": 5, "items": [{"u": "a"}, {"u": "b"}]})", 2, "&i=4"},
        {"total, all seen", R"({"by": "offset", "count": 2, "total": "$.t"})",
         R"({"t": 4, "items": [{"u": "a"}, {"u": "b"}]})", 2, ""},
        {"a full page", R"({"by": "page", "count": 2})", R"({"items": [{"u": "a"}, {"u": "b"}]})", 1, "&p=2"},
        {"a short page", R"({"by": "page", "count": 2})", R"({"items": [{"u": "a"}]})", 1, ""},
        {"an empty page", R"({"by": "page", "pages": "$.n"})", R"({"n": 9, "items": []})", 1, ""},
        {"a page count beyond any integer, below zero", R"({"by": "page", "pages": "$.n"})",
         R"({"n": -1e110, "items": [{"u": "a"}]})", 1, ""},
        {"a page count beyond any integer", R"({"by": "page", "pages": "$.n"})",
         R"({"n": 1e110, "items": [{"u": "a"}]})", 1, "&p=2"},
        {"continuation", R"({"by": "continuation", "continue": "$.c"})",
         R"({"c": {"off": 50, "continue": "-||", "u": "a b"}, "items": [{"u": "a"}]})", 1,
         "&continue=-%7C%7C&off=50&u=a%20b"},
        {"continuation ended", R"({"by": "continuation", "continue": "$.c"})", R"({"items": [{"u": "a"}]})", 1, ""},
    };
    for (const TPagingCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string paging = c.paging;
        const std::string url = paging.find("offset") != std::string::npos ? "https://a.test/s?q={searchTerms}&i={startIndex}"
                                : paging.find("continuation") != std::string::npos ? "https://a.test/s?q={searchTerms}"
                                                                                   : "https://a.test/s?q={searchTerms}&p={startPage}";
        const TSourceAnswer answer = ReadDescribedAnswer(Described(paging, PlainAnswer, url), c.body, c.page);
        EXPECT_TRUE(answer.Read);
        EXPECT_EQ(answer.NextSuffix, c.next);
    }
}

struct TReadCase {
    const char* what;
    const char* body;
    bool read;
    const char* error;
    std::vector<std::string> urls;
};

TEST(DescribedAnswer, ReadsErrorsAndTellsAChangedFormat)
{
    const TSourceDescription d = Described(R"({"by": "page"})", PlainAnswer);
    const TReadCase cases[] = {
        {"pictures", R"({"items": [{"u": "https://a.test/1.jpg#h=150&w=116"}, {"x": 1}, {"u": "b"}]})", true, "",
         {"https://a.test/1.jpg", "b"}},
        {"no results", R"({"items": []})", true, "", {}},
        {"no results, the other sign", R"({"none": true})", true, "", {}},
        {"the other sign, spoilt", R"({"none": true, "error": null})", false, "", {}},
        {"error text", R"({"error": "Too many requests.", "items": []})", false, "error: Too many requests.", {}},
        {"error fields", R"({"error": {"q": ["Required.", "Ask again."], "page": "Not a number.", "x": [3]}})", false,
         "error: page: Not a number.; q: Required. Ask again.; x", {}},
        {"error without words", R"({"error": {}})", false, "", {}},
        {"error null", R"({"error": null, "items": []})", true, "", {}},
        {"results without pictures", R"({"items": [{"x": 1}]})", false, "", {}},
        {"not the expected shape", R"({"data": [{"u": "a"}]})", false, "", {}},
        {"a list at the top", R"([{"u": "a"}])", false, "", {}},
        {"not JSON", "<html>Sign in</html>", false, "", {}},
    };
    for (const TReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectAnswer(ReadDescribedAnswer(d, c.body, 1), c.read, c.error, c.urls);
    }
}

TEST(DescribedAnswer, FillsEachRecordFieldAndOrdersByRank)
{
    const TSourceDescription d = Described(R"({"by": "page"})", R"({
        "expect": "$.data", "results": "$.data.*", "order": "@.rank",
        "picture": {"template": "{iiif}/{id}/full/843,/0/default.jpg", "values": {"iiif": "$.config.iiif", "id": "@.image"}},
        "thumbnail": "@.thumb", "page": "@.page", "size": "@.bytes", "width": "@.w", "height": "@.h", "type": "@.type",
        "title": "@.title", "creator": "@.makers[*].name", "licence": "@.licence", "licenceUrl": "@.licenceUrl"})");
    const TSourceAnswer answer = ReadDescribedAnswer(d, R"({"config": {"iiif": "https://i.test/iiif/2"}, "data": {
        "k2": {"rank": 2, "image": "a b", "bytes": "1234", "w": 640, "h": "480", "type": "JPG", "title": "Second",
               "makers": [{"name": "Ann"}, {"name": "Bo"}], "licence": "CC0", "licenceUrl": "https://l.test/cc0",
               "thumb": "https://i.test/t.jpg", "page": "https://m.test/2"},
        "k1": {"rank": 1, "image": "x", "bytes": -5, "w": "wide", "type": "image/PNG"},
        "k3": {"rank": 0, "title": "no image"}}})",
                                                     1);
    ASSERT_EQ(answer.Pictures.size(), 2u);
    const TPictureRecord& first = answer.Pictures[0];
    EXPECT_EQ(first.Url, "https://i.test/iiif/2/x/full/843,/0/default.jpg");
    EXPECT_EQ(first.Size, 0);
    EXPECT_EQ(first.Width, 0);
    EXPECT_EQ(first.MimeType, "image/png");
    const TPictureRecord& second = answer.Pictures[1];
    EXPECT_EQ(second.Url, "https://i.test/iiif/2/a%20b/full/843,/0/default.jpg");
    EXPECT_EQ(second.Size, 1234);
    EXPECT_EQ(second.Width, 640);
    EXPECT_EQ(second.Height, 480);
    EXPECT_EQ(second.MimeType, "image/jpeg");
    EXPECT_EQ(second.ThumbnailUrl, "https://i.test/t.jpg");
    EXPECT_EQ(second.PageUrl, "https://m.test/2");
    EXPECT_EQ(second.Title, "Second");
    EXPECT_EQ(second.Creator, "Ann, Bo");
    EXPECT_EQ(second.Licence, "CC0");
    EXPECT_EQ(second.LicenceUrl, "https://l.test/cc0");
}

} // namespace
