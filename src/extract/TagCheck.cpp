#include "extract/TagCheck.h"

#include "extract/AddFileToList.h"
#include "extract/AttributeFinders.h"
#include "extract/Thumbnails.h"
#include "platform/CatchAll.h"

TTagLinks ReadTagLinks(TExtractPage& page, TSpan tag)
{
    const TPageText& text = page.Text;
    const bool picture = text.Contains(TMarker::Src, tag) && text.Contains(TMarker::Img, tag);
    TTagLinks links;
    if (text.Contains(TMarker::Href, tag)) {
        if (picture)
            links = CheckHrefForThumbsAndNewPage(page, tag);
        else
            links.Picture = Find_HREF_param(page, tag);
    } else if (picture) {
        links.Picture = Find_IMG_SRC_param(page, tag);
    }
    if (!IsPictureLink(links.Picture))
        links.Picture.clear();
    return links;
}

void Check_IMG_and_SRC_and_HREF(TExtractPage& page, TSpan tag, TSearchSink& sink, size_t times)
{
    CatchAll("error code : #0015 (Check_IMG_and_SRC_and_HREF)", [&] {
        const TTagLinks links = ReadTagLinks(page, tag);
        for (size_t i = 0; i < times; ++i)
            DeliverTagLinks(links, sink);
    });
}
