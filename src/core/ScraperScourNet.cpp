#include "core/MarkerText.h"
#include "core/ScrapedLink.h"
#include "core/Scrapers.h"
#include "platform/CatchAll.h"

namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view rightGif = "right.gif";

// The next-page link of a navigation line, cut as four edit loops would:
// drop the last byte while "right.gif" occurs, the first while "a href"
// occurs, the last two while "\">" occurs, the first while a quote occurs.
// Each loop ends when one particular occurrence breaks, so each is one cut.
std::string_view NextPageLink(std::string_view line)
{
    line = line.substr(0, FindNoCase(line, rightGif) + rightGif.size() - 1);
    if (const size_t href = RFindNoCase(line, "a href"); href != npos)
        line.remove_prefix(href + 1);
    if (const size_t close = line.find("\">"); close != npos) {
        // Two bytes at a time: whether the quote goes too depends on the
        // parity of what follows it; a quote left here makes the next cut
        // empty the line, leaving the bare base address.
        const size_t afterQuote = line.size() - close - 1;
        line = line.substr(0, afterQuote % 2 ? close : close + 1);
    }
    if (const size_t quote = line.rfind('"'); quote != npos)
        line.remove_prefix(quote + 1);
    return line;
}

}

bool ExractDataFromScourNet(const std::vector<std::string>& lines, TSearchSink& sink)
{
    bool found = false;
    CatchAll("error code : #0043 (ExractDataFromScourNet)", [&] {
        for (const std::string& text : lines) {
            std::string_view line = text;
            if (line.find("url=") != npos) {
                found = true;
                line = CutAt(CutThrough(line, "url="), "\">");
                RouteScrapedPicture(sink, line);
            }
            if (ContainsNoCase(line, "pagenumlinks") && ContainsNoCase(line, rightGif)) {
                found = true;
                sink.QueuePageFetch(sink.ScourNetBaseAddress() + std::string(NextPageLink(line)), ecScourNet);
            }
        }
    });
    return found;
}
