#pragma once
#include "core/EngineCode.h"
#include "core/SourceAnswer.h"

#include <array>
#include <string>
#include <string_view>

class TIniFile;

// The live picture sources beside the four services: public JSON search
// APIs, each switched on in the settings file, answered a page at a time.
struct TSource {
    const char* Name;
    ::EngineCode EngineCode;
    const char* SwitchKey;   // the settings key that switches it on (off by default)
    const char* BaseKey;     // the settings key of its base address
    const char* DefaultBase; // when the settings hold none
    const char* Query;       // appended to the base address, then the query value
    const char* FirstPage;   // appended after the query value for the first page
    TSourceAnswer (*Read)(std::string_view body);
    // The source hosts the files it lists: the size it gives is the file's,
    // so a picture with a size is listed without a link check.
    bool HostsFiles;
};

constexpr int SourceCount = 2;
extern const std::array<TSource, SourceCount> Sources;

// The source's place in Sources, or -1.
int SourceIndex(EngineCode engineCode);

// "Glimmerscout/1.1 (+home page)": the agent the sources' requests send, as
// their operators ask; every other request keeps the described one.
std::string SourceAgent();

// How many answer pages a source is asked for in one search: the settings
// key "SourcePages", 3 when absent, kept within 1 to 20 (the deepest page
// the open APIs serve).
int SourcePageLimit(const TIniFile& settings);

// A source lists pictures of the types the program shows.
bool IsListedPicture(const TPictureRecord& picture);
