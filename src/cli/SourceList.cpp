#include "cli/SourceList.h"

#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

namespace {

std::string Line(const char* shortName, bool on, const std::string& base, const char* name)
{
    return std::string(shortName) + "\t" + (on ? "on" : "off") + "\t" + base + "\t" + name + "\n";
}

} // namespace

std::string SourceListText(const TIniFile& settings, const TCliOptions& options)
{
    std::string text;
    for (int i = 0; i < ServiceCount; ++i) {
        const TService& s = Services[i];
        text += Line(s.ShortName, options.ServicesOn ? (*options.ServicesOn)[i] : true,
                     settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase), s.Name);
    }
    for (int i = 0; i < SourceCount; ++i) {
        const TSource& s = Sources[i];
        const bool on = options.SourcesOn ? (*options.SourcesOn)[i] : settings.ReadBool(Setting::Options, s.SwitchKey, false);
        text += Line(s.ShortName, on, settings.ReadString(Setting::Options, s.BaseKey, s.DefaultBase), s.Name);
    }
    return text;
}
