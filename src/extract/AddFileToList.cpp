#include "extract/AddFileToList.h"

#include "extract/WordSearch.h"
#include "platform/CatchAll.h"

void AddFIleTolist(const std::string& link, TSearchSink& sink)
{
    if (IsPictureLink(link) || (sink.PictureTypes().HasOthers() && LinkPictureType(link, sink.PictureTypes())))
        AddPictureLink(link, sink);
}

bool IsPictureLink(std::string_view link)
{
    return link.size() >= 4 && link.ends_with(".jpg") && FindWord(link, ".jpg", 0, link.size(), false) == link.size() - 4;
}

void AddPictureLink(const std::string& link, TSearchSink& sink, uint64_t times)
{
    while (times > 0) {
        // Whether this turn stood for every turn left: a found link stays
        // found, the check queue takes its repeats in one call, and the list
        // takes or refuses the same link the same way each time. Only a list
        // call that failed leaves its repeats to be made.
        bool rest = false;
        CatchAll("error code : #0016 (AddFIleTolist)", [&] {
            if (sink.IsFound(link)) {
                rest = true;
            } else if (sink.CheckLinksTicked()) {
                rest = true;
                sink.QueueLinkCheckTimes(link, times);
            } else {
                sink.AddToListView(link, TPictureSize::Unchecked());
                rest = true;
            }
        });
        times = rest ? 0 : times - 1;
    }
}
