#include "extract/Thumbnails.h"

#include "extract/AttributeFinders.h"
#include "platform/CatchAll.h"

namespace {

// The extension of the link's last segment: from its last "." on, unless a
// "\" or ":" comes after that ".".
std::string_view ExtensionOf(std::string_view link)
{
    const size_t slash = link.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    const std::string_view name = link.substr(slash + 1);
    const size_t mark = name.find_last_of(".\\:");
    if (mark == std::string_view::npos || name[mark] != '.')
        return {};
    return name.substr(mark);
}

}

TTagLinks CheckHrefForThumbsAndNewPage(TExtractPage& page, TSpan tag)
{
    TTagLinks links;
    CatchAll("error code : #0017 (CheckHrefForThumbsAndNewPage)", [&] {
        std::string href = Find_HREF_param(page, tag);
        const std::string_view ext = ExtensionOf(href);
        TTagLinks found;
        if (ext == ".jpg")
            found.Picture = std::move(href);
        else if (ext.empty())
            found.Picture = Find_IMG_SRC_param(page, tag);   // only read when it is taken
        else if (ext == ".html" || ext == ".htm")
            found.PageToFollow = std::move(href);
        links = std::move(found);
    });
    return links;
}
