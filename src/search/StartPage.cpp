#include "search/StartPage.h"

#include <array>
#include <cctype>
#include <string_view>

namespace {
constexpr std::array<std::string_view, 2> kSchemes{"http://", "https://"};

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The scheme the trimmed text starts with (letter case ignored), or empty.
std::string_view SchemeOf(std::string_view text)
{
    for (const std::string_view scheme : kSchemes) {
        bool same = text.size() >= scheme.size();
        for (size_t i = 0; same && i < scheme.size(); ++i)
            same = std::tolower(static_cast<unsigned char>(text[i])) == scheme[i];
        if (same)
            return scheme;
    }
    return {};
}
}

bool IsStartPage(const std::string& phrase)
{
    const std::string_view text = Trimmed(phrase);
    const std::string_view scheme = SchemeOf(text);
    return !scheme.empty() && text.size() > scheme.size();
}

std::string StartPageAddress(const std::string& phrase)
{
    const std::string_view text = Trimmed(phrase);
    const std::string_view scheme = SchemeOf(text);
    return std::string(scheme) + std::string(text.substr(scheme.size()));
}

std::string StartPageHost(const std::string& address)
{
    std::string_view rest = Trimmed(address);
    rest.remove_prefix(SchemeOf(rest).size());
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    if (rest.starts_with('['))
        return std::string(rest.substr(0, rest.find(']') + 1));
    return std::string(rest.substr(0, rest.find(':')));
}
