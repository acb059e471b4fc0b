#include "core/BuiltInSources.h"
#include "core/DescribedAnswer.h"
#include "core/AnswerCheck.h"

#include <gtest/gtest.h>

namespace {

// The two built-in sources' answers, read by their descriptions.
TSourceAnswer ReadCommonsAnswer(std::string_view body) { return ReadDescribedAnswer(BuiltInSource("commons"), body, 1); }
TSourceAnswer ReadOpenverseAnswer(std::string_view body)
{
    return ReadDescribedAnswer(BuiltInSource("openverse"), body, 1);
}

struct TReadCase {
    const char* what;
    TSourceAnswer (*reader)(std::string_view);
    const char* body;
    bool read;
    const char* error;
    std::vector<std::string> urls;
    const char* next;
};

// What the sample web does not answer: the other layouts and odd values the
// APIs document or may send.
TEST(SourceAnswer, ReadsTheDocumentedShapesAndRefusesOthers)
{
    const TReadCase cases[] = {
        {"commons list layout, ranked", ReadCommonsAnswer,
         R"({"query":{"pages":[{"index":2,"imageinfo":[{"url":"https://u.test/b.jpg"}]},)"
         R"({"index":1,"imageinfo":[{"url":"https://u.test/a.jpg"}]}]}})",
         true, "", {"https://u.test/a.jpg", "https://u.test/b.jpg"}, ""},
        {"commons continue with text and numbers", ReadCommonsAnswer,
         R"({"continue":{"gsroffset":50,"continue":"gsroffset||"},"query":{"pages":{"7":{"index":1,)"
         R"("imageinfo":[{"url":"https://u.test/a.jpg","size":10,"width":2,"height":3,"mime":"IMAGE/JPEG"}]}}}})",
         true, "", {"https://u.test/a.jpg"}, "&continue=gsroffset%7C%7C&gsroffset=50"},
        {"commons no hits", ReadCommonsAnswer, R"({"batchcomplete":""})", true, "", {}, ""},
        {"commons pages without image info", ReadCommonsAnswer,
         R"({"query":{"pages":{"7":{"title":"File:a.jpg","missing":""}}},"continue":{"gsroffset":1}})", false, "",
         {}, ""},
        {"commons query without pages", ReadCommonsAnswer, R"({"query":{"files":[]}})", false, "", {}, ""},
        {"commons error", ReadCommonsAnswer, R"({"error":{"code":"x","info":"Search is disabled."}})", false,
         "error: Search is disabled.", {}, ""},
        {"openverse last page", ReadOpenverseAnswer,
         R"({"page_count":2,"page":2,"results":[{"url":"https://o.test/a.jpg","filesize":null,"filetype":null}]})",
         true, "", {"https://o.test/a.jpg"}, ""},
        {"openverse without page", ReadOpenverseAnswer, R"({"page_count":3,"results":[]})", true, "", {}, ""},
        {"openverse result without url", ReadOpenverseAnswer, R"({"page_count":1,"page":1,"results":[{"id":"1"}]})",
         false, "", {}, ""},
        {"openverse throttled", ReadOpenverseAnswer, R"({"detail":"Request was throttled."})", false,
         "error: Request was throttled.", {}, ""},
        {"openverse refused parameters", ReadOpenverseAnswer,
         R"({"detail":{"page":["A valid integer is required."],"page_size":["Too big.","Ask for less."]}})", false,
         "error: page: A valid integer is required.; page_size: Too big. Ask for less.", {}, ""},
        {"openverse detail of other shapes", ReadOpenverseAnswer, R"({"detail":{"q":"Empty.","x":[3]}})", false,
         "error: q: Empty.; x", {}, ""},
        {"openverse empty detail", ReadOpenverseAnswer, R"({"detail":{}})", false, "", {}, ""},
        {"cut off", ReadOpenverseAnswer, R"({"page_count":2,"page":1,"results":[{"url":"https://o.te)", false, "",
         {}, ""},
        {"not json", ReadCommonsAnswer, "<html>Moved</html>", false, "", {}, ""},
        {"not an object", ReadCommonsAnswer, "[1,2]", false, "", {}, ""},
    };
    for (const TReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TSourceAnswer answer = c.reader(c.body);
        ExpectAnswer(answer, c.read, c.error, c.urls);
        EXPECT_EQ(answer.NextSuffix, c.next);
    }
}

TEST(SourceAnswer, KeepsTheSourcesThumbnails)
{
    const TSourceAnswer commons = ReadCommonsAnswer(
        R"({"query":{"pages":{"7":{"index":1,"imageinfo":[{"url":"https://u.test/Z%C3%BCrich.jpg",)"
        R"("thumburl":"https://u.test/thumb/Z%C3%BCrich.jpg/128px-Z%C3%BCrich.jpg","thumbwidth":128}]},)"
        R"("8":{"index":2,"imageinfo":[{"url":"https://u.test/b.jpg","thumburl":7}]}}}})");
    ASSERT_EQ(commons.Pictures.size(), 2u);
    EXPECT_EQ(commons.Pictures[0].ThumbnailUrl, "https://u.test/thumb/Z%C3%BCrich.jpg/128px-Z%C3%BCrich.jpg");
    EXPECT_EQ(commons.Pictures[1].ThumbnailUrl, "");
    const TSourceAnswer openverse = ReadOpenverseAnswer(
        R"({"page_count":1,"page":1,"results":[{"url":"u","thumbnail":"https://o.test/v1/images/1/thumb/"},)"
        R"({"url":"v","thumbnail":null}]})");
    ASSERT_EQ(openverse.Pictures.size(), 2u);
    EXPECT_EQ(openverse.Pictures[0].ThumbnailUrl, "https://o.test/v1/images/1/thumb/");
    EXPECT_EQ(openverse.Pictures[1].ThumbnailUrl, "");
}

TEST(SourceAnswer, KeepsEachPicturesFigures)
{
    const TSourceAnswer commons = ReadCommonsAnswer(
        R"({"query":{"pages":{"7":{"index":1,"imageinfo":[{"url":"u","size":1234,"width":640,"height":480,"mime":"Image/JPEG"}]}}}})");
    ASSERT_EQ(commons.Pictures.size(), 1u);
    EXPECT_EQ(commons.Pictures[0].Size, 1234);
    EXPECT_EQ(commons.Pictures[0].Width, 640);
    EXPECT_EQ(commons.Pictures[0].Height, 480);
    EXPECT_EQ(commons.Pictures[0].MimeType, "image/jpeg");
    const TSourceAnswer openverse = ReadOpenverseAnswer(
        R"({"page_count":9,"page":1,"results":[{"url":"u","filesize":-3,"width":"wide","height":7,"filetype":"JPG"},)"
        R"({"url":"v","filesize":99,"filetype":"png"}]})");
    ASSERT_EQ(openverse.Pictures.size(), 2u);
    EXPECT_EQ(openverse.Pictures[0].Size, 0);
    EXPECT_EQ(openverse.Pictures[0].Width, 0);
    EXPECT_EQ(openverse.Pictures[0].Height, 7);
    EXPECT_EQ(openverse.Pictures[0].MimeType, "image/jpeg");
    EXPECT_EQ(openverse.Pictures[1].Size, 99);
    EXPECT_EQ(openverse.Pictures[1].MimeType, "image/png");
    EXPECT_EQ(openverse.NextSuffix, "&page=2");
}

} // namespace
