#include "core/MarkerText.h"

#include "platform/AnsiCase.h"

namespace {

bool EqualNoCaseAt(std::string_view text, size_t at, std::string_view marker)
{
    for (size_t i = 0; i < marker.size(); ++i)
        if (AnsiLowerChar(text[at + i]) != AnsiLowerChar(marker[i]))
            return false;
    return true;
}

}

std::string_view CutThrough(std::string_view line, std::string_view marker)
{
    const size_t at = line.find(marker);
    return at == std::string_view::npos ? line : line.substr(at + marker.size());
}

std::string_view TextBefore(std::string_view line, std::string_view marker)
{
    const size_t at = line.find(marker);
    return at == std::string_view::npos ? std::string_view() : line.substr(0, at);
}

std::string_view CutAt(std::string_view line, std::string_view marker)
{
    return line.substr(0, line.find(marker));
}

size_t FindNoCase(std::string_view text, std::string_view marker)
{
    for (size_t at = 0; at + marker.size() <= text.size(); ++at)
        if (EqualNoCaseAt(text, at, marker))
            return at;
    return std::string_view::npos;
}

size_t RFindNoCase(std::string_view text, std::string_view marker)
{
    if (marker.size() > text.size())
        return std::string_view::npos;
    for (size_t at = text.size() - marker.size() + 1; at-- > 0;)
        if (EqualNoCaseAt(text, at, marker))
            return at;
    return std::string_view::npos;
}
