#include "core/UrlTemplate.h"

#include <algorithm>

namespace {

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

// "name", "prefix:name", each part one or more name characters.
bool IsVariableName(std::string_view name)
{
    const size_t colon = name.find(':');
    const auto part = [](std::string_view p) { return !p.empty() && std::all_of(p.begin(), p.end(), IsNameChar); };
    if (colon == std::string_view::npos)
        return part(name);
    return part(name.substr(0, colon)) && part(name.substr(colon + 1));
}

std::string At(size_t offset) { return "at " + std::to_string(offset + 1) + ": "; }

} // namespace

std::optional<TUrlTemplate> TUrlTemplate::Parse(std::string_view text, std::string& fault)
{
    TUrlTemplate parsed;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find_first_of("{}", at);
        if (open == std::string_view::npos) {
            parsed.FParts.push_back({std::string(text.substr(at)), false, false});
            break;
        }
        if (text[open] == '}') {
            fault = At(open) + "\"}\" without its \"{\"";
            return std::nullopt;
        }
        if (open > at)
            parsed.FParts.push_back({std::string(text.substr(at, open - at)), false, false});
        const size_t close = text.find_first_of("{}", open + 1);
        if (close == std::string_view::npos || text[close] == '{') {
            fault = At(open) + "\"{\" without its \"}\"";
            return std::nullopt;
        }
        std::string_view name = text.substr(open + 1, close - open - 1);
        const bool optional = name.ends_with('?');
        if (optional)
            name.remove_suffix(1);
        if (!IsVariableName(name)) {
            fault = At(open + 1) + "\"" + std::string(name) + "\" is not a variable name";
            return std::nullopt;
        }
        parsed.FParts.push_back({std::string(name), true, optional});
        at = close + 1;
    }
    return parsed;
}

std::vector<std::string> TUrlTemplate::Names() const
{
    std::vector<std::string> names;
    for (const TPart& part : FParts)
        if (part.Variable && std::find(names.begin(), names.end(), part.Text) == names.end())
            names.push_back(part.Text);
    return names;
}

bool TUrlTemplate::Uses(std::string_view name) const
{
    return std::any_of(FParts.begin(), FParts.end(), [&](const TPart& p) { return p.Variable && p.Text == name; });
}

std::optional<std::string> TUrlTemplate::Expand(const TValues& values) const
{
    std::string out;
    for (const TPart& part : FParts) {
        if (!part.Variable) {
            out += part.Text;
            continue;
        }
        std::optional<std::string> value = values(part.Text);
        if (!value && !part.Optional)
            return std::nullopt;
        if (value)
            out += *value;
    }
    return out;
}
