#include "extract/AttributeFinders.h"

#include "platform/CatchAll.h"

#include <algorithm>

namespace {

std::string_view Part(const TPageText& text, TSpan span)
{
    return std::string_view(text.Text()).substr(span.Begin, span.Size());
}

}

void Find_HREF_param(TExtractPage& page, TSpan tag, std::string& link)
{
    link.clear();
    const bool done = CatchAll("error code : #0018 (Find_HREF_param)", [&] {
        const TPageText& text = page.Text;
        const size_t attribute = text.Find(TMarker::HrefQuote, tag);
        const size_t start =
            attribute != TPageText::npos ? attribute + 6 : std::min(tag.Begin + 5, tag.End);
        const size_t quote = text.Find(TMarker::Quote, {start, tag.End});
        if (quote == TPageText::npos)
            return;
        const TSpan value{start, quote};
        if (!text.Contains(TMarker::HtmExact, value) && !text.Contains(TMarker::JpgExact, value))
            return;
        if (text.Contains(TMarker::HttpExact, value))
            return;
        page.Resolver.ResolveInto(Part(text, value), link);
    });
    if (!done)
        link.clear();
}

void Find_IMG_SRC_param(TExtractPage& page, TSpan tag, std::string& link)
{
    link.clear();
    const bool done = CatchAll("error code : #0019 (Find_IMG_SRC_param)", [&] {
        const TPageText& text = page.Text;
        // Five on from "src=", past what is normally the opening quote.
        const size_t attribute = text.Find(TMarker::SrcEq, tag);
        const size_t start = std::min(attribute != TPageText::npos ? attribute + 5 : tag.Begin + 4, tag.End);
        const size_t jpg = text.Find(TMarker::Jpg, {start, tag.End});
        const size_t end = jpg != TPageText::npos ? jpg + 4 : std::min(start + 3, tag.End);
        page.Resolver.ResolveInto(Part(text, {start, end}), link);
    });
    if (!done)
        link.clear();
}
