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

std::string SourceListText(const TIniFile& settings, const TCliOptions& options, std::string* refused)
{
    std::string text;
    std::vector<std::string> reserved;
    for (int i = 0; i < ServiceCount; ++i) {
        const TService& s = Services[i];
        reserved.push_back(s.ShortName);
        text += Line(s.ShortName, options.ServicesOn ? (*options.ServicesOn)[i] : true,
                     settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase), s.Name);
    }
    TSourceSet set(UserSourceFolder(settings.FileName()), reserved);
    set.Refresh();
    for (const TSource& s : SourcesOf(set.Sources(), set.BuiltInCount())) {
        const bool on = options.SourceNames ? std::find(options.SourceNames->begin(), options.SourceNames->end(),
                                                        s.ShortName) != options.SourceNames->end()
                                            : settings.ReadBool(Setting::Options, s.SwitchKey, false);
        text += Line(s.ShortName, on, settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase()), s.Name);
    }
    if (refused)
        for (const TDescriptionFault& fault : set.Refused())
            *refused += fault.Text() + "\n";
    return text;
}
