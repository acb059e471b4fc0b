#include "cli/SourceList.h"

#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "search/SourceSet.h"

#include <algorithm>

namespace {

std::string Line(const std::string& shortName, bool on, const std::string& base, const std::string& name)
{
    return shortName + "\t" + (on ? "on" : "off") + "\t" + base + "\t" + name + "\n";
}

} // namespace

std::vector<TSource> ReadSourceList(const TIniFile& settings, std::string* refused)
{
    std::vector<std::string> reserved;
    for (const TService& s : Services)
        reserved.push_back(s.ShortName);
    TSourceSet set(UserSourceFolder(settings.FileName()), reserved);
    set.Refresh();
    if (refused)
        for (const TDescriptionFault& fault : set.Refused())
            *refused += fault.Text() + "\n";
    return SourcesOf(set.Sources(), set.BuiltInCount());
}

std::string SourceListText(const TIniFile& settings, const TCliOptions& options, std::string* refused)
{
    std::string text;
    for (int i = 0; i < ServiceCount; ++i) {
        const TService& s = Services[i];
        text += Line(s.ShortName, options.ServicesOn ? (*options.ServicesOn)[i] : true,
                     settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase), s.Name);
    }
    for (const TSource& s : ReadSourceList(settings, refused)) {
        const bool on = options.SourceNames ? std::find(options.SourceNames->begin(), options.SourceNames->end(),
                                                        s.ShortName) != options.SourceNames->end()
                                            : settings.ReadBool(Setting::Options, s.SwitchKey, false);
        text += Line(s.ShortName, on, settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase()), s.Name);
    }
    return text;
}
