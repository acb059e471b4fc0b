#pragma once
#include "core/Licence.h"
#include "pictures/PictureTypes.h"
#include "schedule/ConnectionProfile.h"
#include "search/Services.h"
#include "search/Sources.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks for. Unset switches leave the settings file's
// choice; unset limits mean none.
struct TCliOptions {
    std::string Phrase;
    std::optional<bool> Recursive;
    std::optional<bool> CheckLinks;
    bool Json = false;
    std::optional<int64_t> MaxResults; // at least 1
    std::optional<double> TimeLimit;   // seconds, more than 0
    std::optional<TPictureTypes> Types; // JPEG is always among them
    std::optional<int> MinWidth;       // pixels, at least 1
    std::optional<int> MinHeight;
    std::optional<TProfileKind> Profile;
    std::optional<TLicenceFilter> Licence;
    std::string SaveDir;               // empty: nothing is saved
    std::optional<bool> SaveOnce;      // skip pictures saved before
    bool Unique = false;               // only the largest of each group of look-alikes
    std::string SettingsFile;          // empty: the one beside the executable
    // --sources: exactly these services and sources (by short name) are asked.
    std::optional<std::array<bool, ServiceCount>> ServicesOn;
    std::optional<std::vector<std::string>> SourceNames;
    bool ListSources = false;
    bool Help = false;
};

// Options, or the reason they were refused (Error not empty).
struct TCliParse {
    TCliOptions Options;
    std::string Error;
};

// args: the arguments after the program's name. Each option with a value
// takes it as the next argument or after "=". Errors: an unknown option, a
// stray argument, an option given twice, both forms of a switch, a missing or
// malformed value, an empty phrase, and no --search (unless --help or
// --list-sources).
TCliParse ParseArguments(const std::vector<std::string>& args);

// --sources names only sources there are: empty, or why not.
std::string CheckSourceNames(const TCliOptions& options, const std::vector<TSource>& sources);

// The usage text, for --help and after an error.
std::string Usage();

// The window takes no arguments: the program runs without it when it has
// any, or when there is no display to show it on (argc counts the name).
bool WantsCommandLine(int argc, bool display);
