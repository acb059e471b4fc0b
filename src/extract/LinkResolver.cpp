#include "extract/LinkResolver.h"

#include "extract/LinkResolution.h"
#include "platform/CatchAll.h"

#include <algorithm>

TLinkResolver::TLinkResolver(std::string origin)
    : FOrigin(std::move(origin))
    , FMostLevels(static_cast<size_t>(std::count(FOrigin.begin(), FOrigin.end(), '/')))
{
}

const std::string& TLinkResolver::Prefix(size_t levels, bool fromRoot)
{
    if (fromRoot) {
        if (!FRootPrefix)
            FRootPrefix = EditOriginURL(0, true, FOrigin);
        return *FRootPrefix;
    }
    const size_t index = std::min(levels, FMostLevels);
    if (FPrefixByLevels.size() <= index)
        FPrefixByLevels.resize(index + 1);
    if (!FPrefixByLevels[index])
        FPrefixByLevels[index] = EditOriginURL(static_cast<int>(index), false, FOrigin);
    return *FPrefixByLevels[index];
}

std::string TLinkResolver::Resolve(std::string_view link)
{
    std::string absolute;
    ResolveInto(link, absolute);
    return absolute;
}

void TLinkResolver::ResolveInto(std::string_view link, std::string& absolute)
{
    absolute.clear();
    CatchAll("error code : #0021 (AnalyzePath)", [&] {
        if (link.starts_with("http://") || link.starts_with("https://") || link.starts_with("ftp://")) {
            absolute.assign(link);
            return;
        }
        std::string_view rest = link;
        size_t levels = 0;
        bool fromRoot = false;
        if (rest.find('/') != std::string_view::npos) {
            if (rest.front() == '/')
                fromRoot = true;
            else
                levels = UpLevelPasses(rest);   // CountAndCutUpLevels on a view
            rest.remove_prefix(levels * 3);
        }
        const std::string& prefix = Prefix(levels, fromRoot);
        absolute.reserve(prefix.size() + rest.size());
        absolute = prefix;
        absolute += rest;
    });
}

std::string AnalyzePath(const std::string& link, const std::string& origin)
{
    return TLinkResolver(origin).Resolve(link);
}
