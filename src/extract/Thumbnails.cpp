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
    for (size_t at = name.size(); at-- > 0;) {
        if (name[at] == '.')
            return name.substr(at);
        if (name[at] == '\\' || name[at] == ':')
            break;
    }
    return {};
}

}

void CheckHrefForThumbsAndNewPage(TExtractPage& page, TSpan tag, TTagLinks& links)
{
    links.Clear();
    const bool done = CatchAll("error code : #0017 (CheckHrefForThumbsAndNewPage)", [&] {
        Find_HREF_param(page, tag, links.Picture);   // the href, taken as the picture if it is one
        const std::string_view ext = ExtensionOf(links.Picture);
        if (ext == ".jpg")
            return;
        if (ext.empty()) {
            Find_IMG_SRC_param(page, tag, links.Picture);   // only read when it is taken
            return;
        }
        if (ext == ".html" || ext == ".htm")
            links.PageToFollow.swap(links.Picture);
        links.Picture.clear();
    });
    if (!done)
        links.Clear();
}
