#include "extract/AddFileToList.h"

#include "platform/CatchAll.h"

void AddFIleTolist(const std::string& link, TSearchSink& sink)
{
    if (IsPictureLink(link))
        AddPictureLink(link, sink);
}

bool IsPictureLink(std::string_view link)
{
    return link.size() >= 4 && link.find(".jpg") == link.size() - 4;
}

void AddPictureLink(const std::string& link, TSearchSink& sink)
{
    CatchAll("error code : #0016 (AddFIleTolist)", [&] {
        if (!sink.IsFound(link))
            RoutePictureLink(sink, link);
    });
}
