#include "extract/TagLinks.h"

#include "extract/AddFileToList.h"
#include "platform/CatchAll.h"

void DeliverTagLinks(const TTagLinks& links, TSearchSink& sink, uint64_t times)
{
    if (!links.PageToFollow.empty()) {
        // Part of reading a thumbnail, so it fails with that routine's line.
        CatchAll("error code : #0017 (CheckHrefForThumbsAndNewPage)", [&] {
            if (sink.RecursiveSearchActive())
                sink.QueuePageFetchTimes(links.PageToFollow, ecThumbnailPage, times);
        });
    }
    if (!links.Picture.empty())
        AddPictureLink(links.Picture, sink, times);
}
