#include "search/SourceRequest.h"

#include "core/TextHelpers.h"

#include <string_view>
#include <vector>

namespace {

constexpr TPictureType AllTypes[] = {TPictureType::Jpeg, TPictureType::Png, TPictureType::Gif, TPictureType::Webp};

std::string Joined(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

// The MIME types of a set of picture types, in type order.
std::vector<std::string> PictureMimeTypes(TPictureTypes types)
{
    std::vector<std::string> mimes;
    for (const TPictureType type : AllTypes)
        if (types.Has(type))
            mimes.push_back(std::string("image/") + PictureTypeName(type));
    return mimes;
}

// The link extensions without the dot, in type order.
std::vector<std::string> PictureExtensionNames(TPictureTypes types)
{
    std::vector<std::string> names;
    for (const TPictureType type : AllTypes)
        if (types.Has(type))
            names.push_back(PictureExtension(type) + 1);
    return names;
}

} // namespace

std::string CommonsSearchPath(const TSourceSearch& search)
{
    std::vector<std::string> filters;
    for (const std::string& mime : PictureMimeTypes(search.Types))
        filters.push_back("filemime:" + mime);
    return "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6&gsrlimit=50&prop=imageinfo"
           "&iiprop=url%7Csize%7Cmime&iiurlwidth="
           + std::to_string(search.ThumbnailWidth) + "&gsrsearch="
           + SourceQuery(search.Phrase + " " + Joined(filters, " OR "));
}

std::string OpenverseSearchPath(const TSourceSearch& search)
{
    return "/v1/images/?q=" + SourceQuery(search.Phrase)
           + "&extension=" + PercentEncoded(Joined(PictureExtensionNames(search.Types), ","));
}
