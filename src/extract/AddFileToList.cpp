#include "extract/AddFileToList.h"

#include "extract/WordSearch.h"
#include "platform/CatchAll.h"

void AddFIleTolist(const std::string& link, TSearchSink& sink)
{
    if (IsPictureLink(link))
        AddPictureLink(link, sink);
}

bool IsPictureLink(std::string_view link)
{
    return link.size() >= 4 && link.ends_with(".jpg") && FindWord(link, ".jpg", 0, link.size(), false) == link.size() - 4;
}

void AddPictureLink(const std::string& link, TSearchSink& sink)
{
    CatchAll("error code : #0016 (AddFIleTolist)", [&] {
        if (!sink.IsFound(link))
            RoutePictureLink(sink, link);
    });
}
