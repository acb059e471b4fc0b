#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Making links cut out of a page absolute against the page's own URL (the
// origin). Purely textual: no "./" folding, no query or fragment handling,
// letter case kept. Each routine catches its own failures, logs its line and
// leaves its out parameters as they were.

// The origin split in two: its scheme ("https://" for an https origin,
// else "http://") + host (and port), no trailing "/"; and the path from the
// first "/" after the host, one trailing "/" removed.
struct THttpExtract {
    std::string HostUrl;
    std::string Path;
};

std::string Mirror(const std::string& text);

// How many passes CountAndCutUpLevels makes over the link.
size_t UpLevelPasses(std::string_view link);

// Counts and removes the leading "../" run. The rule is "while the link holds
// "../" anywhere, count one and drop three characters", so 'a/../x' counts one.
void CountAndCutUpLevels(std::string& link, int& levels);

// An origin without any "/" after its host has the whole rest as host and an
// empty path.
void ExtractUrlAndPath(const std::string& origin, THttpExtract& parts);

// What to put in front of a relative link: the host alone for a link from the
// root, else the origin's directory, levels directories up, ending in "/".
std::string EditOriginURL(int levels, bool fromRoot, const std::string& origin);

