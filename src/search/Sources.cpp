#include "search/Sources.h"

#include "core/BuiltInSources.h"
#include "core/SearchSink.h"
#include "platform/AnsiCase.h"
#include "platform/IniFile.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsKeys.h"

#include <algorithm>
#include <optional>

std::vector<TSource> SourcesOf(const std::vector<TSourceDescription>& descriptions, size_t builtIn)
{
    std::vector<TSource> sources;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const TSourceDescription& d = descriptions[i];
        std::string key = d.ShortName;
        key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
        sources.push_back({d.Name, d.ShortName, static_cast<EngineCode>(ecFirstSource + static_cast<int>(i)), "Search" + key,
                           key + "BaseAddress", key + "Pages", i < builtIn, d});
    }
    return sources;
}

const std::vector<TSource>& BuiltInSourceList()
{
    static const std::vector<TSource> sources = SourcesOf(BuiltInSources(), BuiltInSources().size());
    return sources;
}

int SourceIndex(const std::vector<TSource>& sources, EngineCode engineCode)
{
    const int index = engineCode - ecFirstSource;
    return index >= 0 && index < static_cast<int>(sources.size()) ? index : -1;
}

std::string SourceAgent(const std::string& contact)
{
    std::string about = std::string("+") + ProgramHomePage;
    // The agent is one header line: the contact cannot end it.
    std::string kept;
    for (const char c : contact)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != '(' && c != ')')
            kept += c;
    if (kept.find_first_not_of(' ') != std::string::npos)
        about += "; " + kept;
    return std::string(ProgramName) + "/" + ProgramVersion + " (" + about + ")";
}

int SourcePageLimit(const TIniFile& settings, const TSource& source)
{
    const int all = Read(settings, Setting::SourcePages);
    return std::clamp(settings.ReadInteger(Setting::Options, source.PagesKey, all), 1, source.Description.MaxPages);
}

namespace {

std::optional<TPictureType> TypeOfMime(const std::string& mime)
{
    if (mime == "image/jpeg" || mime == "image/pjpeg")
        return TPictureType::Jpeg;
    for (const TPictureType type : {TPictureType::Png, TPictureType::Gif, TPictureType::Webp})
        if (mime == std::string("image/") + PictureTypeName(type))
            return type;
    return std::nullopt;
}

std::optional<TPictureType> TypeOfExtension(const std::string& url)
{
    const std::string path = AnsiLowerCase(url.substr(0, url.find_first_of("?#")));
    if (path.ends_with(".jpg") || path.ends_with(".jpeg"))
        return TPictureType::Jpeg;
    for (const TPictureType type : {TPictureType::Png, TPictureType::Gif, TPictureType::Webp})
        if (path.ends_with(PictureExtension(type)))
            return type;
    return std::nullopt;
}

} // namespace

bool IsListedPicture(const TPictureRecord& picture, TPictureTypes types)
{
    const std::optional<TPictureType> type =
        picture.MimeType.empty() ? TypeOfExtension(picture.Url) : TypeOfMime(picture.MimeType);
    return type && types.Has(*type);
}
