#include "extract/LinkResolution.h"
#include "extract/LinkResolver.h"

#include <gtest/gtest.h>

namespace {

const std::string kPageUrl = "http://example.test/a/b/page.html";

TEST(LinkResolution, LinksAgainstAFilePage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"pic.jpg", "http://example.test/a/b/pic.jpg"},
        {"img/pic.jpg", "http://example.test/a/b/img/pic.jpg"},
        {"../pic.jpg", "http://example.test/a/pic.jpg"},
        {"../../pic.jpg", "http://example.test/pic.jpg"},
        {"../../../pic.jpg", "http://example.test/pic.jpg"},
        {"/img/pic.jpg", "http://example.test/img/pic.jpg"},
        {"http://example.test/x.jpg", "http://example.test/x.jpg"},
        {"ftp://example.test/x.jpg", "ftp://example.test/x.jpg"},
        {"https://example.test/x.jpg", "https://example.test/x.jpg"},
        {"HTTPS://example.test/x.jpg", "http://example.test/a/b/HTTPS://example.test/x.jpg"},
        {"./pic.jpg", "http://example.test/a/b/./pic.jpg"},
        {"a/../pic.jpg", "http://example.test/a/./pic.jpg"},
        {"", "http://example.test/a/b/"},
        {"HTTP://example.test/x.jpg", "http://example.test/a/b/HTTP://example.test/x.jpg"},
        {"javascript:show()", "http://example.test/a/b/javascript:show()"},
        {"mailto:me@example.test", "http://example.test/a/b/mailto:me@example.test"},
    };
    for (const auto& [link, absolute] : cases)
        EXPECT_EQ(AnalyzePath(link, kPageUrl), absolute) << link;
}

TEST(LinkResolution, OtherOrigins)
{
    struct Case {
        const char* origin;
        const char* plain;
        const char* up;
    };
    const Case cases[] = {
        {"http://example.test/a/b/", "http://example.test/a/b/pic.jpg", "http://example.test/a/pic.jpg"},
        {"http://example.test/a/b", "http://example.test/a/b/pic.jpg", "http://example.test/a/pic.jpg"},
        {"http://example.test/photos.old/list", "http://example.test/photos.old/pic.jpg", "http://example.test/pic.jpg"},
        {"http://example.test/photos.old", "http://example.test/pic.jpg", "http://example.test/pic.jpg"},
        {"http://example.test/", "http://example.test/pic.jpg", "http://example.test/pic.jpg"},
        {"http://example.test/cgi-bin/find.cgi?q=a/b", "http://example.test/cgi-bin/find.cgi?q=a/pic.jpg",
         "http://example.test/cgi-bin/pic.jpg"},
        {"http://example.test:8080/x/", "http://example.test:8080/x/pic.jpg", "http://example.test:8080/pic.jpg"},
        // An https origin keeps its scheme.
        {"https://example.test/a/b/page.html", "https://example.test/a/b/pic.jpg", "https://example.test/a/pic.jpg"},
        {"https://example.test:8443/x/", "https://example.test:8443/x/pic.jpg", "https://example.test:8443/pic.jpg"},
        {"https://example.test", "https://example.test/pic.jpg", "https://example.test/pic.jpg"},
        // No "/" after the host: the whole rest is the host.
        {"http://example.test", "http://example.test/pic.jpg", "http://example.test/pic.jpg"},
        {"", "http:///pic.jpg", "http:///pic.jpg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnalyzePath("pic.jpg", c.origin), c.plain) << c.origin;
        EXPECT_EQ(AnalyzePath("../pic.jpg", c.origin), c.up) << c.origin;
    }
    EXPECT_EQ(AnalyzePath("/x/pic.jpg", "http://example.test"), "http://example.test/x/pic.jpg");
    EXPECT_EQ(AnalyzePath("/x/pic.jpg", "https://example.test/a/p.html"), "https://example.test/x/pic.jpg");
}

TEST(LinkResolution, Parts)
{
    THttpExtract parts;
    ExtractUrlAndPath(kPageUrl, parts);
    EXPECT_EQ(parts.HostUrl, "http://example.test");
    EXPECT_EQ(parts.Path, "/a/b/page.html");
    ExtractUrlAndPath("http://example.test/a/b/", parts);
    EXPECT_EQ(parts.Path, "/a/b");
    ExtractUrlAndPath("http://example.test", parts);
    EXPECT_EQ(parts.HostUrl, "http://example.test");
    EXPECT_EQ(parts.Path, "");

    std::string link = "../../x/../y.jpg";
    int levels = 1;
    CountAndCutUpLevels(link, levels);
    EXPECT_EQ(levels, 4);
    EXPECT_EQ(link, "./y.jpg");
    link = "a/../pic.jpg";
    levels = 0;
    CountAndCutUpLevels(link, levels);
    EXPECT_EQ(levels, 1);
    EXPECT_EQ(link, "./pic.jpg");

    EXPECT_EQ(EditOriginURL(0, true, kPageUrl), "http://example.test");
    EXPECT_EQ(EditOriginURL(1000000, false, kPageUrl), "http://example.test/");
    EXPECT_EQ(EditOriginURL(0, false, "http://example.test/a//b.html"), "http://example.test/a/");
    EXPECT_EQ(Mirror("abc"), "cba");
    EXPECT_EQ(Mirror(""), "");
}

}
