#include "core/TextHelpers.h"
#include "platform/CatchAll.h"

void ExtractFileNameFromURL(std::string url, std::string& fileName)
{
    CatchAll("error code : #0035 (ExtractFileNameFromURL)", [&] {
        const size_t slash = url.rfind('/');
        if (slash != std::string::npos)
            url.erase(0, slash + 1);
        fileName.swap(url);
    });
}

void ExtractPageLinkFromURL(std::string url, std::string& pageLink)
{
    CatchAll("error code : #0036 (ExtractPageLinkFromURL)", [&] {
        const size_t slash = url.rfind('/');
        url.resize(slash == std::string::npos ? 0 : slash + 1);
        pageLink.swap(url);
    });
}
