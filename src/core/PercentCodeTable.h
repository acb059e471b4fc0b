#pragma once
#include <array>
#include <string_view>

// One escape the search services leave in their links, stored as
// code "=" replacement and split at the first "=" ("%3D==" decodes to "=").
struct TPercentCode {
    std::string_view Code;
    std::string_view Replacement;
};

constexpr TPercentCode SplitPercentCode(std::string_view entry)
{
    const size_t eq = entry.find('=');
    return {entry.substr(0, eq), entry.substr(eq + 1)};
}

// In order of processing. The last three decode doubly escaped forms in one step.
inline constexpr std::array<std::string_view, 26> PercentCodeEntries = {
    "%21=!", "%22=\"", "%24=$", "%26=&", "%28=(", "%29=)", "%2B=+", "%2F=/",
    "%5B=[", "%5D=]", "%3A=:", "%7E=~", "%27='", "%BD=\xBD", "%A3=\xA3", "%A4=\xA4",
    "%A7=\xA7", "%7B={", "%7D=}", "%3D==", "%2E=.", "%5F=_", "%2D=-",
    "%253A=:", "%252F=/", "%257E=~",
};

inline constexpr std::array<TPercentCode, 26> PercentCodeTable = [] {
    std::array<TPercentCode, 26> table{};
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = SplitPercentCode(PercentCodeEntries[i]);
    return table;
}();
