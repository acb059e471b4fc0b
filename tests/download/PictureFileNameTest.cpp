#include "download/PictureFileName.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureFileName, TheLastSegmentDecodedAndMadeSafe)
{
    const std::string long300 = std::string(300, 'a') + ".jpg";
    const std::string longUtf8 = "x" + [] {
        std::string s;
        for (int i = 0; i < 100; ++i)
            s += "%C3%BC"; // 200 bytes of "ü" once decoded
        return s;
    }() + std::string(60, 'b') + ".jpeg";
    const struct {
        const char* what;
        std::string url;
        std::string name;
    } cases[] = {
        {"plain", "http://h/a/b.jpg", "b.jpg"},
        {"UTF-8", "https://u/a/ab/Z%C3%BCrich_%28Limmat%29%2C_tram.jpg", "Zürich_(Limmat),_tram.jpg"},
        {"lower-case escapes", "https://u/%e6%9d%b1%e4%ba%ac.jpg", "東京.jpg"},
        {"apostrophe", "https://u/Vintage_car%27s_grille.jpeg", "Vintage_car's_grille.jpeg"},
        {"query and fragment", "https://u/thumb.php?f=a.jpg&w=120#top", "thumb.php"},
        {"a slash inside the name", "https://u/a%2Fb.jpg", "a_b.jpg"},
        {"a backslash and a control", "https://u/a%5Cb%0A.jpg", "a_b_.jpg"},
        {"dot dot", "https://u/x/%2E%2E", ""},
        {"dot dot as is", "https://u/x/..", ""},
        {"a NUL", "https://u/a%00.jpg", "a_.jpg"},
        {"invalid UTF-8 keeps its escapes", "https://u/caf%E9.jpg", "caf%E9.jpg"},
        {"a lone percent", "https://u/100%.jpg", "100%.jpg"},
        {"300 bytes, extension kept", "https://u/" + long300, std::string(251, 'a') + ".jpg"},
        {"cut between letters", "https://u/" + longUtf8,
         "x" + [] {
             std::string s;
             for (int i = 0; i < 100; ++i)
                 s += "ü";
             return s;
         }() + std::string(49, 'b') + ".jpeg"},
        {"raw Windows-1252 bytes of a page link", "http://h/caf\xE9.jpg", "café.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = PictureFileName(c.url);
        EXPECT_EQ(name, c.name);
        EXPECT_LE(name.size(), MaxFileNameBytes);
    }
}

} // namespace
