#include "search/Sources.h"

#include "core/SearchSink.h"
#include "platform/AnsiCase.h"
#include "platform/IniFile.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsKeys.h"
#include "search/SourceRequest.h"

#include <algorithm>
#include <optional>

const std::array<TSource, SourceCount> Sources = {{
    {"Wikimedia Commons", "commons", ecCommons, Setting::SearchCommons.Key, Setting::CommonsBaseAddress.Key,
     "https://commons.wikimedia.org", CommonsSearchPath, "", ReadCommonsAnswer, true},
    {"Openverse", "openverse", ecOpenverse, Setting::SearchOpenverse.Key, Setting::OpenverseBaseAddress.Key,
     "https://api.openverse.org", OpenverseSearchPath, "&page=1", ReadOpenverseAnswer, false},
}};

int SourceIndex(int engineCode)
{
    for (int i = 0; i < SourceCount; ++i)
        if (Sources[i].EngineCode == engineCode)
            return i;
    return -1;
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

int SourcePageLimit(const TIniFile& settings)
{
    return std::clamp(Read(settings, Setting::SourcePages), 1, 20);
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
