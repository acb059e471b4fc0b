#include "search/StartPage.h"

#include <cctype>
#include <string_view>

namespace {
constexpr std::string_view kScheme = "http://";

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
}

bool IsStartPage(const std::string& phrase)
{
    const std::string_view text = Trimmed(phrase);
    if (text.size() <= kScheme.size())
        return false;
    for (size_t i = 0; i < kScheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != kScheme[i])
            return false;
    return true;
}

std::string StartPageAddress(const std::string& phrase)
{
    return std::string(kScheme) + std::string(Trimmed(phrase).substr(kScheme.size()));
}

std::string StartPageHost(const std::string& address)
{
    std::string_view rest = Trimmed(address).substr(kScheme.size());
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    if (rest.starts_with('['))
        return std::string(rest.substr(0, rest.find(']') + 1));
    return std::string(rest.substr(0, rest.find(':')));
}
