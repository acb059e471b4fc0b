#include "extract/QuotedLinkPass.h"

#include "extract/AddFileToList.h"
#include "extract/TagWords.h"
#include "platform/CatchAll.h"

#include <algorithm>
#include <vector>

void LoopForJPG(TExtractPage& page, TSearchSink& sink)
{
    CatchAll("error code : #0012 (LoopForJPG)", [&] {
        const std::vector<TSpan>& lines = page.Text.Lines();
        for (size_t i = 0; i < lines.size(); ++i) {
            const TTagWords words = i < page.LineWords.size() ? page.LineWords[i] : TagWordsIn(page.Text, lines[i]);
            if (!words.Jpg || (words.Src && words.Img && words.Href))
                continue;
            CutJPGLinksFromLine(page, lines[i], sink);
        }
    });
}

void CutJPGLinksFromLine(TExtractPage& page, TSpan line, TSearchSink& sink)
{
    try {
        const TPageText& text = page.Text;
        // The loop runs while an exact ".jpg" is left but takes the first one
        // of any case; the cursor keeps the exact one found so far, and is
        // only asked when the one taken is not exact itself.
        TMarkerCursor exact(text, TMarker::JpgExact, line.End);
        std::string absolute;
        for (size_t start = line.Begin;;) {
            const size_t jpg = text.Find(TMarker::Jpg, {start, line.End});
            if (jpg == TPageText::npos)
                return;
            if (text.Text().compare(jpg, 4, ".jpg") != 0 && exact.NextFrom(start) == TPageText::npos)
                return;
            const size_t quote = text.RFind(TMarker::Quote, {start, jpg});
            if (quote != TPageText::npos) {
                const std::string_view link =
                    std::string_view(text.Text()).substr(quote + 1, jpg + 4 - (quote + 1));
                page.Resolver.ResolveInto(link, absolute);
                AddFIleTolist(absolute, sink);
            }
            start = std::min(jpg + 5, line.End);
        }
    } catch (...) {
        // This routine alone has no line of its own in the log.
    }
}
