#include "core/MarkerText.h"
#include "core/ScrapedLink.h"
#include "core/Scrapers.h"
#include "platform/CatchAll.h"

bool ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink)
{
    bool found = false;
    CatchAll("error code : #0041 (ExractDataFromLycos)", [&] {
        constexpr std::string_view marker = "<p><b><a href=\"";
        for (const std::string& text : lines) {
            const std::string_view line = text;
            if (line.find(marker) == std::string_view::npos)
                continue;
            found = true;
            const std::string_view rest = CutThrough(line, marker);
            if (rest.empty())
                continue;
            sink.QueuePageFetch(DecodedLink(TextBefore(rest, "\"")), ecListedPage);
        }
    });
    return found;
}
