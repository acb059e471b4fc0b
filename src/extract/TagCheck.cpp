#include "extract/TagCheck.h"

#include "extract/AddFileToList.h"
#include "extract/AttributeFinders.h"
#include "extract/Thumbnails.h"
#include "platform/CatchAll.h"

TTagLinks ReadTagLinks(TExtractPage& page, TSpan tag, const TTagWords& words)
{
    const bool picture = words.Src && words.Img;
    TTagLinks links;
    if (words.Href) {
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

bool Check_IMG_and_SRC_and_HREF(TExtractPage& page, TSpan tag, const TTagWords& words, TSearchSink& sink,
                                TTagLinks& links, uint64_t times)
{
    bool read = false;
    CatchAll("error code : #0015 (Check_IMG_and_SRC_and_HREF)", [&] {
        links = ReadTagLinks(page, tag, words);
        read = true;
        DeliverTagLinks(links, sink, times);
    });
    return read;
}
