#include "extract/LinkExtractor.h"

#include "extract/AddFileToList.h"
#include "extract/AnchorPass.h"
#include "extract/AttributeFinders.h"
#include "extract/QuotedLinkPass.h"
#include "extract/TagCheck.h"
#include "platform/CatchAll.h"

void StartExtractLoop(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0010 (StartExtractLoop)", [&] {
        TExtractPage page(lines, pageUrl);
        HtmlPageToOneLine(page, sink);
        for (const TSpan& line : page.Text.Lines())
            if (page.Text.Contains(TMarker::Jpg, line))
                Check_IMG_and_SRC_and_HREF(page, line, sink);
        LoopForJPG(page, sink);
    });
}

void CheckNewPageForSrc(const std::vector<std::string>& lines, const std::string& pageUrl, TSearchSink& sink)
{
    CatchAll("error code : #0020 (CheckNewPageForSrc)", [&] {
        TExtractPage page(lines, pageUrl);
        for (const TSpan& line : page.Text.Lines())
            if (page.Text.Contains(TMarker::Jpg, line))
                AddFIleTolist(Find_IMG_SRC_param(page, line), sink);
    });
}
