#include "cli/ResultLine.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    std::string url;
    int64_t size; // 0: unchecked; else a check's length, negative when none was told
    bool json;
    std::string line;
};

TEST(ResultLine, TextAndJsonWithEscapes)
{
    const Row rows[] = {
        {"http://h:1/a/pic.jpg", 20000, false, "20000\thttp://h:1/a/pic.jpg\n"},
        {"http://h:1/a/pic.jpg", 0, false, "UNKNOWN\thttp://h:1/a/pic.jpg\n"},
        {"http://h:1/a/pic.jpg", -1, false, "UNKNOWN\thttp://h:1/a/pic.jpg\n"},
        // A line break or a tab from a page cannot start a line of its own.
        {"http://h/a\n20000\tb\r.jpg", 5, false, "5\thttp://h/a%0A20000%09b%0D.jpg\n"},
        {"http://h:1/a/pic.jpg", 20000, true, R"({"height":null,"name":"pic.jpg","size":20000,"url":"http://h:1/a/pic.jpg","width":null})" "\n"},
        {"http://h/pic.jpg", 0, true, R"({"height":null,"name":"pic.jpg","size":null,"url":"http://h/pic.jpg","width":null})" "\n"},
        {"http://h/pic.jpg", -1, true, R"({"height":null,"name":"pic.jpg","size":null,"url":"http://h/pic.jpg","width":null})" "\n"},
        {"http://h/\"q\\\x01.jpg", 7, true,
         R"({"height":null,"name":"\"q\\\u0001.jpg","size":7,"url":"http://h/\"q\\\u0001.jpg","width":null})" "\n"},
        // The code page's bytes as their characters, in UTF-8.
        {"http://h/caf\xe9\x80.jpg", 7, true,
         "{\"height\":null,\"name\":\"caf\xc3\xa9\xe2\x82\xac.jpg\",\"size\":7,\"url\":\"http://h/caf\xc3\xa9\xe2\x82\xac.jpg\",\"width\":null}\n"},
        {"http://h/dir/", 0, true, R"({"height":null,"name":"","size":null,"url":"http://h/dir/","width":null})" "\n"},
    };
    for (const Row& row : rows) {
        const TPictureSize size = row.size == 0 ? TPictureSize::Unchecked() : TPictureSize::Checked(row.size);
        EXPECT_EQ(ResultLine(row.url, size, row.json), row.line) << row.url;
    }
    // Dimensions read by the check; text lines stay as they are.
    EXPECT_EQ(ResultLine("http://h/p.jpg", TPictureSize::Checked(9), true, {1920, 1080}),
              R"({"height":1080,"name":"p.jpg","size":9,"url":"http://h/p.jpg","width":1920})" "\n");
    EXPECT_EQ(ResultLine("http://h/p.jpg", TPictureSize::Checked(9), false, {1920, 1080}), "9\thttp://h/p.jpg\n");
    // --unique's group, in JSON only.
    EXPECT_EQ(ResultLine("http://h/p.jpg", TPictureSize::Checked(9), true, {}, 3),
              R"({"group":3,"height":null,"name":"p.jpg","size":9,"url":"http://h/p.jpg","width":null})" "\n");
    EXPECT_EQ(ResultLine("http://h/p.jpg", TPictureSize::Checked(9), false, {}, 3), "9\thttp://h/p.jpg\n");
    // A source's credit, the fields it gives.
    TPictureRecord credit;
    credit.Title = "Caf\xC3\xA9";
    credit.Licence = "CC0";
    credit.PageUrl = "https://s/p";
    EXPECT_EQ(ResultLine("http://h/p.jpg", TPictureSize::Checked(9), true, {}, std::nullopt, &credit),
              "{\"height\":null,\"licence\":\"CC0\",\"name\":\"p.jpg\",\"page\":\"https://s/p\",\"size\":9,\"title\":\"Caf\xC3\xA9\","
              "\"url\":\"http://h/p.jpg\",\"width\":null}\n");
}

} // namespace
