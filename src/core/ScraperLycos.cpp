#include "core/MarkerText.h"
#include "core/ScrapedLink.h"
#include "core/Scrapers.h"
#include "platform/CatchAll.h"

void ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink)
{
    CatchAll("error code : #0041 (ExractDataFromLycos)", [&] {
        constexpr std::string_view marker = "<p><b><a href=\"";
        for (const std::string& text : lines) {
            const std::string_view line = text;
            if (line.find(marker) == std::string_view::npos)
                continue;
            const std::string_view rest = CutThrough(line, marker);
            if (rest.empty())
                continue;
            sink.QueuePageFetch(DecodedLink(TextBefore(rest, "\"")), ecListedPage);
        }
    });
}
