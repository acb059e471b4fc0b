#include "core/MarkerText.h"
#include "core/ScrapedLink.h"
#include "core/Scrapers.h"
#include "platform/CatchAll.h"

bool ExractDataFromLycosImagesDirect(const std::vector<std::string>& lines, TSearchSink& sink)
{
    bool found = false;
    CatchAll("error code : #0042 (ExractDataFromLycosImagesDirect)", [&] {
        constexpr std::string_view picture = "<dd><b><a href=\"";
        bool nextPageQueued = false;
        for (const std::string& text : lines) {
            std::string_view line = text;
            if (line.find(picture) != std::string_view::npos) {
                found = true;
                line = CutThrough(line, picture);
                RouteScrapedPicture(sink, TextBefore(line, "\""));
            }
            // "&gt;&gt;" labels the next-page link; the cut line is searched,
            // so a picture on the same line comes first.
            if (line.find("&gt;&gt;") != std::string_view::npos) {
                found = true;
                const std::string_view next = CutAt(CutThrough(line, "\""), "\"");
                if (!nextPageQueued)
                    sink.QueuePageFetch(sink.LycosBaseAddress() + std::string(next), ecLycosImagesDirect);
                nextPageQueued = true;
            }
        }
    });
    return found;
}
