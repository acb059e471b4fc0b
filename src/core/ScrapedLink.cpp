#include "core/ScrapedLink.h"
#include "core/TextHelpers.h"

std::string DecodedLink(std::string_view value)
{
    std::string decoded;
    FixHTMLCodes(std::string(value), decoded);
    return decoded;
}

void RouteScrapedPicture(TSearchSink& sink, std::string_view value)
{
    if (!value.empty())
        RoutePictureLink(sink, DecodedLink(value));
}
