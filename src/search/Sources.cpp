#include "search/Sources.h"

#include "core/SearchSink.h"
#include "platform/AnsiCase.h"
#include "platform/IniFile.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsKeys.h"

#include <algorithm>

const std::array<TSource, SourceCount> Sources = {{
    {"Wikimedia Commons", ecCommons, Setting::SearchCommons.Key, Setting::CommonsBaseAddress.Key, "https://commons.wikimedia.org",
     "/w/api.php?action=query&format=json&generator=search&gsrnamespace=6&gsrlimit=50&prop=imageinfo"
     "&iiprop=url%7Csize%7Cmime&gsrsearch=",
     "", ReadCommonsAnswer, true},
    {"Openverse", ecOpenverse, Setting::SearchOpenverse.Key, Setting::OpenverseBaseAddress.Key, "https://api.openverse.org",
     "/v1/images/?q=", "&page=1", ReadOpenverseAnswer, false},
}};

int SourceIndex(EngineCode engineCode)
{
    for (int i = 0; i < SourceCount; ++i)
        if (Sources[i].EngineCode == engineCode)
            return i;
    return -1;
}

std::string SourceAgent()
{
    return std::string(ProgramName) + "/" + ProgramVersion + " (+" + ProgramHomePage + ")";
}

int SourcePageLimit(const TIniFile& settings)
{
    return std::clamp(Read(settings, Setting::SourcePages), 1, 20);
}

bool IsListedPicture(const TPictureRecord& picture)
{
    if (!picture.MimeType.empty())
        return picture.MimeType == "image/jpeg";
    const std::string url = AnsiLowerCase(picture.Url);
    return url.ends_with(".jpg") || url.ends_with(".jpeg");
}
