#include "core/ScrapedLink.h"
#include "core/Scrapers.h"
#include "platform/CatchAll.h"

bool ExractDataFromHotBot(const std::vector<std::string>& lines, TSearchSink& sink)
{
    bool found = false;
    CatchAll("error code : #0040 (ExractDataFromHotBot)", [&] {
        constexpr std::string_view target = "target=";
        constexpr std::string_view idMarker = "&id=";
        constexpr size_t npos = std::string_view::npos;
        for (const std::string& text : lines) {
            const std::string_view line = text;
            // The first "&id=" at or after the value start, kept while
            // still ahead so that many values on a line cost one search.
            size_t id = 0;
            for (size_t at = line.find(target); at != npos; at = line.find(target, at)) {
                found = true;
                at += target.size();
                if (at == line.size())
                    break;
                if (id != npos && id < at)
                    id = line.find(idMarker, at);
                // Without "&id=" the link is empty and is still queued.
                const std::string_view value = id == npos ? std::string_view() : line.substr(at, id - at);
                sink.QueuePageFetch(DecodedLink(value), ecListedPage);
            }
        }
    });
    return found;
}
