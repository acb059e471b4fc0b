#pragma once
#include <string_view>

// Cutting links out of result-page lines by text markers. An absent marker
// cuts nothing, as the position-based edits of the scrapers expect.

// The line after the marker's first occurrence; the whole line when absent.
std::string_view CutThrough(std::string_view line, std::string_view marker);
// The text before the marker's first occurrence; empty when absent.
std::string_view TextBefore(std::string_view line, std::string_view marker);
// The text before the marker's first occurrence; the whole line when absent.
std::string_view CutAt(std::string_view line, std::string_view marker);

// Marker searches ignoring letter case.
size_t FindNoCase(std::string_view text, std::string_view marker);
size_t RFindNoCase(std::string_view text, std::string_view marker);
inline bool ContainsNoCase(std::string_view text, std::string_view marker)
{
    return FindNoCase(text, marker) != std::string_view::npos;
}
