#include "extract/LinkExtractor.h"

#include "extract/AddFileToList.h"
#include "extract/AnchorPass.h"
#include "extract/AttributeFinders.h"
#include "extract/OtherTypesPass.h"
#include "extract/QuotedLinkPass.h"
#include "extract/TagCheck.h"
#include "extract/TagLinks.h"
#include "extract/TagWords.h"
#include "platform/CatchAll.h"

namespace {

// MakeText() gives the page's TPageText, made inside the catch-all.
template <class MakeText>
void ExtractLoop(MakeText makeText, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0010 (StartExtractLoop)", [&] {
        TExtractPage page(makeText(), pageUrl);
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
        if (sink.PictureTypes().HasOthers())
            LoopForOtherTypes(page, sink);
    });
}

template <class MakeText>
void SrcLoop(MakeText makeText, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0020 (CheckNewPageForSrc)", [&] {
        TExtractPage page(makeText(), pageUrl);
        std::string link;
        for (const TSpan& line : page.Text.Lines()) {
            if (page.Text.Contains(TMarker::Jpg, line)) {
                Find_IMG_SRC_param(page, line, link);
                AddFIleTolist(link, sink);
            }
        }
        if (sink.PictureTypes().HasOthers())
            LoopForOtherTypes(page, sink);
    });
}

} // namespace

void StartExtractLoop(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    ExtractLoop([&] { return TPageText(lines); }, pageUrl, sink);
}

void CheckNewPageForSrc(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    SrcLoop([&] { return TPageText(lines); }, pageUrl, sink);
}

void StartExtractLoopOnBody(std::string_view body, const std::string& pageUrl, TSearchSink& sink)
{
    ExtractLoop([&] { return TPageText::FromBody(body); }, pageUrl, sink);
}

void CheckNewPageForSrcOnBody(std::string_view body, const std::string& pageUrl, TSearchSink& sink)
{
    SrcLoop([&] { return TPageText::FromBody(body); }, pageUrl, sink);
}
