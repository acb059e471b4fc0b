#include "core/DescribedRequest.h"

#include "core/TextHelpers.h"

#include <string_view>

namespace {

constexpr TPictureType AllTypes[] = {TPictureType::Jpeg, TPictureType::Png, TPictureType::Gif, TPictureType::Webp};

// The types as the description writes them, not yet encoded.
std::string TypesText(const TSourceDescription& d, TPictureTypes types)
{
    if (!d.TypeEach)
        return {};
    const std::vector<std::string> mimes = PictureMimeTypes(types);
    const std::vector<std::string> extensions = PictureExtensionNames(types);
    std::string text;
    for (size_t i = 0; i < mimes.size(); ++i) {
        const std::optional<std::string> one = d.TypeEach->Expand([&](std::string_view name) {
            return std::optional<std::string>(name == "mime" ? mimes[i] : extensions[i]);
        });
        text += (text.empty() ? "" : d.TypeSeparator) + one.value_or("");
    }
    return text;
}

// The value of a request's variable, as it goes into the address.
std::optional<std::string> Value(const TSourceDescription& d, const TSourceSearch& search, std::string_view name)
{
    if (name == "searchTerms") {
        if (!d.Terms)
            return SourceQuery(search.Phrase);
        const std::string types = TypesText(d, search.Types);
        return SourceQuery(d.Terms->Expand([&](std::string_view n) {
                                       return std::optional<std::string>(n == "phrase" ? search.Phrase : types);
                                   }).value_or(""));
    }
    if (name == "types")
        return PercentEncoded(TypesText(d, search.Types));
    if (name == "count")
        return std::to_string(d.Count);
    if (name == "thumbnailWidth")
        return std::to_string(search.ThumbnailWidth);
    if (name == "key")
        return PercentEncoded(search.Key);
    if (name == "agent")
        return search.Agent;
    return std::nullopt;
}

} // namespace

std::vector<std::string> PictureMimeTypes(TPictureTypes types)
{
    std::vector<std::string> mimes;
    for (const TPictureType type : AllTypes)
        if (types.Has(type))
            mimes.push_back(std::string("image/") + PictureTypeName(type));
    return mimes;
}

std::vector<std::string> PictureExtensionNames(TPictureTypes types)
{
    std::vector<std::string> names;
    for (const TPictureType type : AllTypes)
        if (types.Has(type))
            names.push_back(PictureExtension(type) + 1);
    return names;
}

std::string DescribedSearchAddress(const TSourceDescription& d, const std::string& base, const TSourceSearch& search)
{
    std::string address =
        d.Search.Expand([&](std::string_view name) { return Value(d, search, name); }).value_or("");
    if (const auto piece = d.LicenceQuery.find(search.Licence); piece != d.LicenceQuery.end())
        address += (address.find('?') == std::string::npos ? "?" : "&") + piece->second.substr(1);
    return base + address.substr(d.DefaultBase.size());
}

std::string DescribedPageSuffix(const TSourceDescription& d, int page)
{
    if (!d.PageParameter)
        return {};
    const int64_t value = d.Paging == TPaging::Offset ? int64_t{d.First} + int64_t{page} * d.Count : d.First + page;
    return d.PageParameter->Expand([&](std::string_view) { return std::optional<std::string>(std::to_string(value)); })
        .value_or("");
}

std::vector<std::string> DescribedHeaders(const TSourceDescription& d, const TSourceSearch& search)
{
    std::vector<std::string> lines;
    for (const auto& [name, value] : d.Headers) {
        std::string text = value.Expand([&](std::string_view n) {
                                    // A header's value goes in as it is; only an address is encoded.
                                    if (n == "key")
                                        return std::optional<std::string>(search.Key);
                                    return Value(d, search, n);
                                }).value_or("");
        // The agent and the key come from the settings: no line break gets through.
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        lines.push_back(name + ": " + text);
    }
    return lines;
}
