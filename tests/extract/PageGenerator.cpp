#include "extract/PageGenerator.h"

#include <array>
#include <random>
#include <string_view>

namespace PageGenerator {
namespace {

void Replace(std::string& text, std::string_view key, const std::string& value)
{
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}

std::string Block(std::mt19937& random, unsigned n)
{
    static constexpr std::array<std::string_view, 14> kBlocks{
        R"(<a href="big/p#.jpg"><img src="thumbs/p#.jpg" width="100"></a>)",
        R"(<A HREF="page#.html"><IMG SRC="t#.jpg" BORDER=0></A>)",
        R"(<img src="pics/a#.jpg" alt="picture #">)",
        R"(<a href="http://other.test/photos/x#.jpg">x</a>)",
        R"(<p>Some words about the pictures of this page, number #, and more.</p>)",
        R"(<a href="/about/index.html">About us</a>)",
        R"(<img src='single#.jpg'>)",
        R"(<a href="../up/#.JPG"><img src="../thumbs/#.jpg"></a>)",
        R"(<script>var next = "q#.jpg?x=1";</script>)",
        R"(<div class="caption">lorem ipsum dolor sit amet # consectetur</div>)",
        R"(<a href=plain#.jpg>plain</a>)",
        R"(<a href="http://other.test/page#.htm"><img src="http://other.test/t#.jpg"></a>)",
        R"(<table><tr><td>cell #</td><td><a href="sub/dir/p#.jpeg">big</a></td></tr></table>)",
        R"(<a href="gallery#.htm"><img src="/img/g#.jpg"></a>)",
    };
    std::string block(kBlocks[random() % kBlocks.size()]);
    Replace(block, "#", std::to_string(n));
    return block;
}

std::string WithBreaks(std::mt19937& random, size_t bytes, bool breaks)
{
    static constexpr std::array<std::string_view, 4> kBreaks{"\n", "\r\n", "\n", ""};
    std::string page = "<html><head><title>Gallery</title></head><body>\n";
    for (unsigned n = 0; page.size() < bytes; ++n) {
        page += Block(random, n % 5000);
        if (breaks)
            page += kBreaks[random() % kBreaks.size()];
    }
    return page + "</body></html>\n";
}

std::string Repeat(std::mt19937& random, size_t bytes, std::string_view pattern, unsigned every,
                   std::string_view extra)
{
    std::string page;
    for (unsigned n = 0; page.size() < bytes; ++n) {
        std::string piece(pattern);
        Replace(piece, "#", std::to_string(n % 5000));
        page += piece;
        if (random() % every == 0)
            page += extra;
    }
    return page;
}

}

std::string Gallery(uint32_t seed, size_t bytes)
{
    std::mt19937 random(seed);
    return WithBreaks(random, bytes, true);
}

std::string OneLine(uint32_t seed, size_t bytes)
{
    std::mt19937 random(seed);
    return WithBreaks(random, bytes, false);
}

std::string UnmatchedQuotes(uint32_t seed, size_t bytes)
{
    std::mt19937 random(seed);
    return Repeat(random, bytes, R"(<img src="a#.jpg alt="x <p title="oops>text )", 7, "\n");
}

std::string UnclosedAnchors(uint32_t seed, size_t bytes)
{
    std::mt19937 random(seed);
    return Repeat(random, bytes, R"(<a href="x#.jpg">text <img src="t#.jpg"> )", 50, R"(<img src="/about/t.jpg">)");
}

std::string RandomMarkup(uint32_t seed, size_t bytes)
{
    static constexpr std::array<std::string_view, 30> kTokens{
        "<a", "<A ", "</a>", "</A>", "/a", "href=\"", "HREF=", "href", "src=\"", "SRC=", "src", "img",
        "IMG", ".jpg", ".JPG", ".jpeg", ".html", ".htm", "\"", "'", "/", "../", "./", "http://h.test/",
        "ftp://f/", "x", "pic", " ", "\n", "\r",
    };
    std::mt19937 random(seed);
    std::string page;
    while (page.size() < bytes)
        page += kTokens[random() % kTokens.size()];
    return page;
}

}
