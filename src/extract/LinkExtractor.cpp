#include "extract/LinkExtractor.h"

#include "extract/AddFileToList.h"
#include "extract/AnchorPass.h"
#include "extract/AttributeFinders.h"
#include "extract/QuotedLinkPass.h"
#include "extract/TagCheck.h"
#include "extract/TagLinks.h"
#include "extract/TagWords.h"
#include "platform/CatchAll.h"

void StartExtractLoop(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0010 (StartExtractLoop)", [&] {
        TExtractPage page(lines, pageUrl);
        HtmlPageToOneLine(page, sink);
        const std::vector<TSpan>& spans = page.Text.Lines();
        page.LineWords.reserve(spans.size());
        auto anchor = page.LineAnchors.cbegin();
        for (size_t i = 0; i < spans.size(); ++i) {
            while (anchor != page.LineAnchors.cend() && anchor->Line < i)
                ++anchor;
            if (anchor != page.LineAnchors.cend() && anchor->Line == i) {
                // The same text read the same way.
                page.LineWords.push_back(anchor->Words);
                page.TakeLineAnchorLinks(*anchor);
                DeliverTagLinks(page.Links, sink);
                continue;
            }
            page.LineWords.push_back(TagWordsIn(page.Text, spans[i]));
            const TTagWords& words = page.LineWords.back();
            if (words.Jpg)
                Check_IMG_and_SRC_and_HREF(page, spans[i], words, sink, page.Links);
        }
        LoopForJPG(page, sink);
    });
}

void CheckNewPageForSrc(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0020 (CheckNewPageForSrc)", [&] {
        TExtractPage page(lines, pageUrl);
        std::string link;
        for (const TSpan& line : page.Text.Lines()) {
            if (page.Text.Contains(TMarker::Jpg, line)) {
                Find_IMG_SRC_param(page, line, link);
                AddFIleTolist(link, sink);
            }
        }
    });
}
