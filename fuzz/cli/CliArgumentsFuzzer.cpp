// Gives an argument vector to the command line's parser: the input split at
// zero bytes. An accepted line holds a phrase (or asks for help) and only
// values in range, and says the same when its options are written out again
// in the other form (value after "=" or as the next argument); a refused
// line leaves no option set.
#include "../FuzzCheck.h"
#include "cli/CliOptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
bool Same(const TCliOptions& a, const TCliOptions& b)
{
    return a.Phrase == b.Phrase && a.Recursive == b.Recursive && a.CheckLinks == b.CheckLinks && a.Json == b.Json &&
           a.MaxResults == b.MaxResults && a.TimeLimit == b.TimeLimit && a.Types == b.Types &&
           a.MinWidth == b.MinWidth && a.MinHeight == b.MinHeight && a.SaveDir == b.SaveDir &&
           a.SettingsFile == b.SettingsFile && a.ServicesOn == b.ServicesOn && a.SourceNames == b.SourceNames &&
           a.ListSources == b.ListSources && a.Help == b.Help;
}

// The options as arguments again; values after "=" when `joined`, which
// takes any value, else as the next argument where that reads back.
std::vector<std::string> Arguments(const TCliOptions& o, bool joined)
{
    std::vector<std::string> args;
    const auto value = [&](const std::string& name, const std::string& text) {
        if (joined || text.starts_with("--")) {
            args.push_back(name + "=" + text);
        } else {
            args.push_back(name);
            args.push_back(text);
        }
    };
    char number[64];
    if (!o.Phrase.empty())
        value("--search", o.Phrase);
    if (o.Recursive)
        args.push_back(*o.Recursive ? "--recursive" : "--no-recursive");
    if (o.CheckLinks)
        args.push_back(*o.CheckLinks ? "--check" : "--no-check");
    if (o.Json)
        args.push_back("--json");
    if (o.Help)
        args.push_back("--help");
    if (o.ListSources)
        args.push_back("--list-sources");
    if (o.ServicesOn) {
        std::string names;
        for (int i = 0; i < ServiceCount; ++i)
            if ((*o.ServicesOn)[i])
                names += std::string(names.empty() ? "" : ",") + Services[i].ShortName;
        for (const std::string& name : *o.SourceNames)
            names += (names.empty() ? "" : ",") + name;
        value("--sources", names);
    }
    if (o.MaxResults)
        value("--max-results", std::to_string(*o.MaxResults));
    if (o.TimeLimit) {
        std::snprintf(number, sizeof number, "%.17g", *o.TimeLimit);
        value("--time-limit", number);
    }
    if (o.Types)
        value("--types", PictureTypesText(*o.Types));
    if (o.MinWidth)
        value("--min-width", std::to_string(*o.MinWidth));
    if (o.MinHeight)
        value("--min-height", std::to_string(*o.MinHeight));
    if (!o.SaveDir.empty())
        value("--save", o.SaveDir);
    if (!o.SettingsFile.empty())
        value("--settings", o.SettingsFile);
    return args;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size && args.size() <= 24; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    const TCliParse parsed = ParseArguments(args);
    const TCliOptions& o = parsed.Options;
    if (!parsed.Error.empty()) {
        Check(Same(o, TCliOptions{}));
        return 0;
    }
    Check(o.Help || o.ListSources || o.Phrase.find_first_not_of(" \t") != std::string::npos);
    Check(o.ServicesOn.has_value() == o.SourceNames.has_value());
    Check(!o.MaxResults || *o.MaxResults >= 1);
    Check(!o.TimeLimit || (*o.TimeLimit > 0 && *o.TimeLimit <= 2e6));
    Check(!o.Types || o.Types->Has(TPictureType::Jpeg));
    Check(!o.MinWidth || *o.MinWidth >= 1);
    Check(!o.MinHeight || *o.MinHeight >= 1);
    for (const bool joined : {true, false}) {
        const TCliParse again = ParseArguments(Arguments(o, joined));
        Check(again.Error.empty() && Same(again.Options, o));
    }
    return 0;
}
