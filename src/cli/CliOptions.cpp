#include "cli/CliOptions.h"

#include "cli/CliSave.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <set>

namespace {

enum class TKind { Switch, Value };

struct TKnownOption {
    const char* Name;
    const char* Key; // options that set the same thing share a key
    TKind Kind;
};

constexpr TKnownOption kKnownOptions[] = {
    {"--search", "search", TKind::Value},       {"--recursive", "recursive", TKind::Switch},
    {"--no-recursive", "recursive", TKind::Switch}, {"--check", "check", TKind::Switch},
    {"--no-check", "check", TKind::Switch},     {"--json", "json", TKind::Switch},
    {"--max-results", "max", TKind::Value},     {"--time-limit", "time", TKind::Value},
    {"--save", "save", TKind::Value},           {"--settings", "settings", TKind::Value},
    {"--help", "help", TKind::Switch},          {"--types", "types", TKind::Value},
    {"--min-width", "minwidth", TKind::Value},  {"--min-height", "minheight", TKind::Value},
    {"--once", "once", TKind::Switch},          {"--no-once", "once", TKind::Switch},
    {"--unique", "unique", TKind::Switch},
    {"--sources", "sources", TKind::Value},     {"--list-sources", "list", TKind::Switch},
    {"--profile", "profile", TKind::Value},     {"--licence", "licence", TKind::Value},
};

// Names separated by commas, letter case and blanks ignored: the services'
// are known here, the others are sources' (CheckSourceNames, once the
// sources are read); false for a name that can be neither, or none.
bool ParseSourceList(const std::string& text, TCliOptions& o)
{
    std::array<bool, ServiceCount> services{};
    std::vector<std::string> sources;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        std::string name;
        for (size_t i = start; i < comma; ++i)
            if (text[i] != ' ' && text[i] != '\t')
                name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        if (name.empty() || name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") != std::string::npos)
            return false;
        bool service = false;
        for (int i = 0; i < ServiceCount; ++i)
            if (name == Services[i].ShortName)
                service = services[i] = true;
        if (!service && std::find(sources.begin(), sources.end(), name) == sources.end())
            sources.push_back(name);
        start = comma + 1;
    }
    o.ServicesOn = services;
    o.SourceNames = sources;
    return true;
}

const TKnownOption* FindKnownOption(const std::string& name)
{
    for (const TKnownOption& known : kKnownOptions)
        if (name == known.Name)
            return &known;
    return nullptr;
}

bool ParseCount(const std::string& text, int64_t& count)
{
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, count);
    return ec == std::errc() && at == end && count >= 1;
}

bool ParseSeconds(const std::string& text, double& seconds)
{
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, seconds);
    // A bound that fits a timer: about 24 days.
    return ec == std::errc() && at == end && std::isfinite(seconds) && seconds > 0 && seconds <= 2e6;
}

bool ParsePixels(const std::string& text, int& pixels)
{
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, pixels);
    return ec == std::errc() && at == end && pixels >= 1;
}

// Sets the option; an error text when its value is refused.
std::string Apply(const std::string& name, const std::string& value, TCliOptions& o)
{
    if (name == "--search") {
        if (value.find_first_not_of(" \t") == std::string::npos)
            return "the search phrase is empty";
        o.Phrase = value;
    } else if (name == "--recursive" || name == "--no-recursive") {
        o.Recursive = name == "--recursive";
    } else if (name == "--check" || name == "--no-check") {
        o.CheckLinks = name == "--check";
    } else if (name == "--once" || name == "--no-once") {
        o.SaveOnce = name == "--once";
    } else if (name == "--unique") {
        o.Unique = true;
    } else if (name == "--json") {
        o.Json = true;
    } else if (name == "--help") {
        o.Help = true;
    } else if (name == "--list-sources") {
        o.ListSources = true;
    } else if (name == "--sources") {
        if (!ParseSourceList(value, o))
            return "--sources needs names separated by commas, not '" + value + "'";
    } else if (name == "--max-results") {
        int64_t n = 0;
        if (!ParseCount(value, n))
            return "--max-results needs a whole number of 1 or more, not '" + value + "'";
        o.MaxResults = n;
    } else if (name == "--time-limit") {
        double s = 0;
        if (!ParseSeconds(value, s))
            return "--time-limit needs a number of seconds above 0, not '" + value + "'";
        o.TimeLimit = s;
    } else if (name == "--types") {
        o.Types = ParsePictureTypes(value);
        if (!o.Types)
            return "--types needs names from jpeg, png, gif, webp separated by commas, not '" + value + "'";
        o.Types = o.Types->With(TPictureType::Jpeg);
    } else if (name == "--min-width" || name == "--min-height") {
        int n = 0;
        if (!ParsePixels(value, n))
            return name + " needs a whole number of pixels of 1 or more, not '" + value + "'";
        (name == "--min-width" ? o.MinWidth : o.MinHeight) = n;
    } else if (name == "--profile") {
        o.Profile = ParseProfileKind(value);
        if (!o.Profile)
            return "--profile needs slow, fast or broadband, not '" + value + "'";
    } else if (name == "--licence") {
        o.Licence = ParseLicenceFilter(value);
        if (!o.Licence)
            return "--licence needs any, commercial or changes, not '" + value + "'";
    } else if (value.empty()) {
        return name + " needs a value";
    } else {
        (name == "--save" ? o.SaveDir : o.SettingsFile) = value;
    }
    return {};
}

} // namespace

TCliParse ParseArguments(const std::vector<std::string>& args)
{
    TCliParse result;
    std::set<std::string> keys;
    for (size_t i = 0; i < args.size() && result.Error.empty(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("-")) {
            result.Error = "unexpected argument '" + arg + "'";
            break;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const TKnownOption* known = FindKnownOption(name);
        if (!known) {
            result.Error = "unknown option " + name;
            break;
        }
        if (!keys.insert(known->Key).second) {
            result.Error = name + " repeats or contradicts an option before it";
            break;
        }
        std::string value;
        if (known->Kind == TKind::Switch) {
            if (eq != std::string::npos)
                result.Error = name + " takes no value";
        } else if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
            value = args[++i];
        } else {
            result.Error = name + " needs a value";
        }
        if (result.Error.empty())
            result.Error = Apply(name, value, result.Options);
    }
    if (result.Error.empty() && !result.Options.Help && !result.Options.ListSources && result.Options.Phrase.empty())
        result.Error = "--search PHRASE is required";
    if (!result.Error.empty())
        result.Options = {};
    return result;
}

std::string Usage()
{
    return "Usage: glimmerscout --search PHRASE [options]\n"
           "       glimmerscout --list-sources [--sources LIST] [--settings FILE]\n"
           "Searches without a window, with the services and settings of the settings file, and prints\n"
           "each picture found as it is found: its size in bytes (or UNKNOWN), a tab, its address.\n"
           "A phrase that is an http:// or https:// address searches that page. The phrase is read in\n"
           "the locale's character set; the sources get it in UTF-8.\n"
           "\n"
           "  --search PHRASE       what to search for\n"
           "  --recursive           follow thumbnail pages one level deep (default: the setting)\n"
           "  --no-recursive        do not follow them\n"
           "  --check               check each picture's size and type first (default: the setting)\n"
           "  --no-check            list pictures unchecked, size UNKNOWN\n"
           "  --json                one JSON object a line: {\"url\", \"size\", \"width\", \"height\" (each\n"
           "                        null if unknown), \"name\"}; checked pictures wait for their dimensions\n"
           "  --types LIST          picture types besides JPEG: png, gif, webp, separated by commas\n"
           "                        (default: the setting, JPEG alone)\n"
           "  --min-width N         checked pictures at least N pixels wide (unknown widths pass)\n"
           "  --min-height N        checked pictures at least N pixels high (unknown heights pass)\n"
           "  --profile NAME        the connection profile: slow (modem), fast (LAN) or broadband\n"
           "                        (default: the setting)\n"
           "  --licence WHICH       keep the live sources' pictures whose licence allows: any (all\n"
           "                        kept), commercial (commercial use) or changes (changed\n"
           "                        versions); a picture its source gives no licence for is kept\n"
           "                        (default: the setting, any)\n"
           "  --max-results N       stop after N pictures\n"
           "  --time-limit S        stop after S seconds\n"
           "  --save DIR            download the pictures into DIR, named by the Smart Save settings;\n"
           "                        an existing file is never overwritten\n"
           "  --once                with --save, skip a picture whose bytes were saved before (in\n"
           "                        the history of saved pictures, or in the folder) and say where\n"
           "                        (default: the setting, off)\n"
           "  --no-once             save every picture\n"
           "  --unique              fetch every picture's thumbnail, and print (and save) only the\n"
           "                        largest of each group of look-alikes, all at the end; JSON lines\n"
           "                        carry the group as \"group\": the place, in the order found, of\n"
           "                        its first picture\n"
           "  --settings FILE       the settings file (default: beside the program, else in the\n"
           "                        configuration folder; see the manual page)\n"
           "  --sources LIST        ask exactly these, separated by commas: the services hotbot,\n"
           "                        lycos, scournet, imagesdirect and the sources by their short\n"
           "                        names (commons, openverse, cleveland, artic, vam, loc, the user's)\n"
           "                        (default: the four services, and the sources the settings switch on)\n"
           "  --list-sources        print each service and source: its name, on or off, its base\n"
           "                        address and its full name, separated by tabs\n"
           "  --help                show this text\n"
           "\n"
           "It ends as soon as nothing is waiting or running, or at a limit (--time-limit cuts the\n"
           "downloads too), or at SIGINT or SIGTERM; then it prints a line per service asked (or one for\n"
           "the start page) on standard error. On a terminal, standard error also shows the progress.\n"
           "Downloads run as many at once as the connection profile lets page fetches run; one\n"
           "without an answer within "
           + std::to_string(TCliSave::Timeout / 1000) + " seconds is cut. A cut or failed download leaves no file.\n"
           "Exit status: 0 when it ran, 1 when nothing was found and no service (or start page)\n"
           "could be reached, 2 for bad arguments (also a settings file that is not there, or a\n"
           "save folder that cannot be made), 3 when a picture found with --save was not saved,\n"
           "130 after SIGINT, 143 after SIGTERM, 141 when standard output was closed.\n";
}

bool WantsCommandLine(int argc, bool display)
{
    return argc > 1 || !display;
}

std::string CheckSourceNames(const TCliOptions& options, const std::vector<TSource>& sources)
{
    if (!options.SourceNames)
        return {};
    for (const std::string& name : *options.SourceNames) {
        if (std::any_of(sources.begin(), sources.end(), [&](const TSource& s) { return s.ShortName == name; }))
            continue;
        std::string known;
        for (const TService& s : Services)
            known += std::string(known.empty() ? "" : ", ") + s.ShortName;
        for (const TSource& s : sources)
            known += ", " + s.ShortName;
        return "--sources needs names from " + known + " separated by commas, not '" + name + "'";
    }
    return {};
}
