#include "pictures/PictureTypes.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* Names[PictureTypeCount] = {"jpeg", "png", "gif", "webp"};
constexpr const char* Extensions[PictureTypeCount] = {".jpg", ".png", ".gif", ".webp"};

TPictureType TypeAt(int i) { return static_cast<TPictureType>(i); }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

size_t FirstIgnoringCase(std::string_view text, std::string_view word)
{
    const auto at = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
    return at == text.end() ? std::string_view::npos : static_cast<size_t>(at - text.begin());
}

} // namespace

const char* PictureTypeName(TPictureType type) { return Names[static_cast<int>(type)]; }

const char* PictureExtension(TPictureType type) { return Extensions[static_cast<int>(type)]; }

std::optional<TPictureTypes> ParsePictureTypes(std::string_view text)
{
    TPictureTypes types;
    while (true) {
        const size_t comma = text.find(',');
        const std::string_view name = Trimmed(text.substr(0, comma));
        int i = 0;
        while (i < PictureTypeCount && !SameIgnoringCase(name, Names[i]))
            ++i;
        if (i == PictureTypeCount)
            return std::nullopt;
        types = types.With(TypeAt(i));
        if (comma == std::string_view::npos)
            return types;
        text.remove_prefix(comma + 1);
    }
}

std::string PictureTypesText(TPictureTypes types)
{
    std::string text;
    for (int i = 0; i < PictureTypeCount; ++i) {
        if (!types.Has(TypeAt(i)))
            continue;
        if (!text.empty())
            text += ',';
        text += Names[i];
    }
    return text;
}

std::optional<TPictureType> LinkPictureType(std::string_view link, TPictureTypes types)
{
    for (int i = 0; i < PictureTypeCount; ++i) {
        const std::string_view ext = Extensions[i];
        if (types.Has(TypeAt(i)) && link.ends_with(ext) && FirstIgnoringCase(link, ext) == link.size() - ext.size())
            return TypeAt(i);
    }
    return std::nullopt;
}

bool ContentTypeFits(std::string_view contentType, TPictureType linkType)
{
    if (contentType.find("image") == std::string_view::npos)
        return false;
    return linkType == TPictureType::Jpeg || contentType.find(PictureTypeName(linkType)) != std::string_view::npos;
}
