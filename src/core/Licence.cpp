#include "core/Licence.h"

#include "platform/AnsiCase.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

constexpr TLicenceUse Everything{true, true};
constexpr TLicenceUse Nothing{false, false};

// The words of a text: runs of letters and digits.
std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + ' ') {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

bool IsVersion(const std::string& word)
{
    return std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool OneOf(const std::string& word, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return word == n; });
}

// A Creative Commons licence by its terms ("by", "nc", "nd", "sa" or their
// names), up to its version; the words after it (a jurisdiction, "deed.en")
// say nothing of what it allows.
std::optional<TLicenceUse> CreativeCommons(const std::vector<std::string>& words, size_t i)
{
    bool term = false;
    TLicenceUse use = Everything;
    for (; i < words.size() && !IsVersion(words[i]); ++i) {
        const std::string& w = words[i];
        const std::string next = i + 1 < words.size() ? words[i + 1] : std::string();
        if (OneOf(w, {"by", "attribution", "sa", "sharealike", "sampling"})) {
            term = true;
        } else if (w == "share" && next == "alike") {
            term = true;
            ++i;
        } else if (OneOf(w, {"nc", "noncommercial"}) || (w == "non" && next == "commercial")) {
            term = true;
            use.Commercial = false;
            i += w == "non";
        } else if (OneOf(w, {"nd", "noderivs", "noderivatives"}) || (w == "no" && OneOf(next, {"derivs", "derivatives"}))) {
            term = true;
            use.Changes = false;
            i += w == "no";
        } else if (!OneOf(w, {"cc", "creative", "commons", "license", "licence", "international", "unported", "generic"})) {
            return std::nullopt;
        }
    }
    return term ? std::optional(use) : std::nullopt;
}

} // namespace

const char* LicenceFilterName(TLicenceFilter filter)
{
    switch (filter) {
    case TLicenceFilter::Commercial:
        return "commercial";
    case TLicenceFilter::Changes:
        return "changes";
    case TLicenceFilter::Any:
        break;
    }
    return "any";
}

std::optional<TLicenceFilter> ParseLicenceFilter(std::string_view name)
{
    for (const TLicenceFilter f : {TLicenceFilter::Any, TLicenceFilter::Commercial, TLicenceFilter::Changes})
        if (AnsiSameText(name, LicenceFilterName(f)))
            return f;
    return std::nullopt;
}

bool Allows(TLicenceUse use, TLicenceFilter filter)
{
    return filter == TLicenceFilter::Any || (filter == TLicenceFilter::Commercial ? use.Commercial : use.Changes);
}

std::optional<TLicenceUse> ReadLicence(std::string_view text)
{
    const std::string lower = AnsiLowerCase(std::string(text));
    if (lower.find("creativecommons.org/publicdomain/") != std::string::npos)
        return Everything;
    if (lower.find("gnu.org/licenses/fdl") != std::string::npos || lower.find("gnu.org/copyleft/fdl") != std::string::npos)
        return Everything;
    const std::string_view licenses = "creativecommons.org/licenses/";
    if (const size_t at = lower.find(licenses); at != std::string::npos)
        return CreativeCommons(Words(lower.substr(at + licenses.size())), 0);
    if (lower.find("all rights reserved") != std::string::npos)
        return Nothing;
    const std::vector<std::string> words = Words(lower);
    if (words.empty())
        return std::nullopt;
    // "CC BY-SA", "Creative Commons Zero", "CC-PD-Mark": the name before the terms.
    size_t first = 0;
    while (first + 1 < words.size() && OneOf(words[first], {"cc", "creative", "commons"}))
        ++first;
    const std::string& w = words[first];
    const std::string next = first + 1 < words.size() ? words[first + 1] : std::string();
    if (OneOf(w, {"cc0", "zero", "pdm", "pd", "publicdomain"}) || (w == "public" && next == "domain"))
        return Everything;
    if (w == "gfdl" || (w == "gnu" && next == "free"))
        return Everything;
    return CreativeCommons(words, first);
}

bool LicencePasses(const TPictureRecord& picture, TLicenceFilter filter)
{
    if (filter == TLicenceFilter::Any)
        return true;
    std::optional<TLicenceUse> use = ReadLicence(picture.Licence);
    if (!use)
        use = ReadLicence(picture.LicenceUrl);
    return !use || Allows(*use, filter);
}
