#include "extract/AddFileToList.h"

#include "platform/CatchAll.h"

void AddFIleTolist(const std::string& link, TSearchSink& sink)
{
    CatchAll("error code : #0016 (AddFIleTolist)", [&] {
        if (link.size() < 4 || link.find(".jpg") != link.size() - 4)
            return;
        if (sink.IsFound(link))
            return;
        RoutePictureLink(sink, link);
    });
}
