#include "HtmlBody.h"
#include <random>

std::string MakeHtmlBody(size_t size)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> n(1, 9999);
    std::string body;
    body.reserve(size + 4096);
    body += "<html><head><title>Gallery</title></head>\r\n<body bgcolor=\"#ffffff\">\r\n";
    while (body.size() < size) {
        const std::string id = std::to_string(n(rng));
        const int k = kind(rng);
        if (k < 30)
            body += "  <td><a href=\"/photos/album" + id + "/pic" + id
                + ".html\"><img src=\"thumbs/pic" + id + ".jpg\" width=100 height=75 border=0></a></td>";
        else if (k < 55)
            body += "<p>Pictures from the trip, day " + id
                + ": the harbour in the morning, the old town and the market square.</p>";
        else if (k < 65)
            body += "<a href=\"http://www" + id + ".example.test/~user/pictures/big" + id + ".jpg\">big</a><br>";
        else if (k < 75)
            body += "</tr><tr>";
        else if (k == 75)
            body += "<script>var s='" + std::string(1500 + n(rng) % 1000, 'x') + "';</script>";
        else if (k >= 80)
            body += "    <font face=\"Arial\" size=2>Page " + id + "</font>";
        // kinds 76 to 79: empty lines
        body += (id.back() < '3') ? "\n" : "\r\n";
    }
    return body;
}
