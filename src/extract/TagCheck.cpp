#include "extract/TagCheck.h"

#include "extract/AddFileToList.h"
#include "extract/AttributeFinders.h"
#include "extract/Thumbnails.h"
#include "platform/CatchAll.h"

void ReadTagLinks(TExtractPage& page, TSpan tag, const TTagWords& words, TTagLinks& links)
{
    links.Clear();
    const bool picture = words.Src && words.Img;
    if (words.Href) {
        if (picture)
            CheckHrefForThumbsAndNewPage(page, tag, links);
        else
            Find_HREF_param(page, tag, links.Picture);
    } else if (picture) {
        Find_IMG_SRC_param(page, tag, links.Picture);
    }
    if (!IsPictureLink(links.Picture))
        links.Picture.clear();
}

bool Check_IMG_and_SRC_and_HREF(TExtractPage& page, TSpan tag, const TTagWords& words, TSearchSink& sink,
                                TTagLinks& links, uint64_t times)
{
    bool read = false;
    CatchAll("error code : #0015 (Check_IMG_and_SRC_and_HREF)", [&] {
        ReadTagLinks(page, tag, words, links);
        read = true;
        DeliverTagLinks(links, sink, times);
    });
    return read;
}
