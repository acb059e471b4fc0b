#include "extract/LinkResolution.h"

#include "platform/CatchAll.h"


std::string Mirror(const std::string& text)
{
    std::string mirrored;
    CatchAll("error code : #0025 (Mirror)", [&] { mirrored.assign(text.rbegin(), text.rend()); });
    return mirrored;
}

size_t UpLevelPasses(std::string_view link)
{
    // Every pass drops three characters while an occurrence is left, so the
    // passes are those that start at or before the last occurrence.
    const size_t last = link.rfind("../");
    return last == std::string_view::npos ? 0 : last / 3 + 1;
}

void CountAndCutUpLevels(std::string& link, int& levels)
{
    CatchAll("error code : #0022 (CountAndCutUpLevels)", [&] {
        const size_t passes = UpLevelPasses(link);
        link.erase(0, passes * 3);
        levels += static_cast<int>(passes);
    });
}

void ExtractUrlAndPath(const std::string& origin, THttpExtract& parts)
{
    CatchAll("error code : #0023 (ExtractUrlAndPath)", [&] {
        // Any origin but an https one is taken as "http://" and seven characters.
        const std::string_view scheme = origin.starts_with("https://") ? "https://" : "http://";
        std::string_view rest(origin);
        rest.remove_prefix(std::min(scheme.size(), rest.size()));
        const size_t slash = rest.find('/');
        THttpExtract split;
        split.HostUrl = scheme;
        split.HostUrl += rest.substr(0, slash);
        if (slash != std::string_view::npos) {
            split.Path = rest.substr(slash);
            if (split.Path.back() == '/')
                split.Path.pop_back();
        }
        parts = std::move(split);
    });
}

std::string EditOriginURL(int levels, bool fromRoot, const std::string& origin)
{
    std::string prefix;
    CatchAll("error code : #0024 (EditOriginURL)", [&] {
        THttpExtract parts;
        ExtractUrlAndPath(origin, parts);
        if (fromRoot) {
            prefix = parts.HostUrl;
            return;
        }
        // Going up drops the reversed path through its first "/"; an offset
        // stands for the dropped part.
        const std::string reversed = Mirror(parts.Path);
        size_t dropped = 0;
        const auto up = [&] {
            const size_t slash = reversed.find('/', dropped);
            if (slash == std::string::npos)
                return false;
            dropped = slash + 1;
            return true;
        };
        if (parts.Path.find('.') != std::string::npos)
            up();
        for (int i = 0; i < levels && up(); ++i) {
        }
        std::string dir = Mirror(reversed.substr(dropped));
        if (!dir.empty()) {
            if (dir.back() != '/')
                dir += '/';
            if (dir.front() == '/')
                dir.erase(0, 1);
        }
        prefix = parts.HostUrl + "/" + dir;
    });
    return prefix;
}

