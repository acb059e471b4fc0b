#include "search/StartPage.h"

#include <gtest/gtest.h>

namespace {

TEST(StartPage, AnHttpAddressWithSomethingAfterTheScheme)
{
    const struct {
        const char* phrase;
        bool page;
        const char* address;
        const char* host;
    } cases[] = {
        {"http://a.test/gallery/index.html", true, "http://a.test/gallery/index.html", "a.test"},
        {"  HTTP://A.test/P.html ", true, "http://A.test/P.html", "A.test"},
        {"Http://user:pw@a.test:8080/x?y#z", true, "http://user:pw@a.test:8080/x?y#z", "a.test"},
        {"http://[::1]:80/p.html", true, "http://[::1]:80/p.html", "[::1]"},
        {"http://", false, "", ""},
        {"http:// ", false, "", ""},
        {"https://a.test/", true, "https://a.test/", "a.test"},
        {" HTTPS://b.test:8443/p.html", true, "https://b.test:8443/p.html", "b.test"},
        {"https://", false, "", ""},
        {"https:/a.test", false, "", ""},
        {"red cars http://a.test", false, "", ""},
        {"http:/a.test", false, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsStartPage(c.phrase), c.page) << c.phrase;
        if (!c.page)
            continue;
        EXPECT_EQ(StartPageAddress(c.phrase), c.address);
        EXPECT_EQ(StartPageHost(c.phrase), c.host) << c.phrase;
    }
}

} // namespace
