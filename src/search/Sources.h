#pragma once
#include "core/SourceAnswer.h"
#include "pictures/PictureTypes.h"

#include <array>
#include <string>
#include <string_view>

class TIniFile;

// What a search asks a source for: the phrase in UTF-8, the picture types
// listed, the width of the thumbnails the grid shows.
struct TSourceSearch {
    std::string Phrase;
    TPictureTypes Types = TPictureTypes::JpegOnly();
    int ThumbnailWidth = 128;
};

// The live picture sources beside the four services: public JSON search
// APIs, each switched on in the settings file, answered a page at a time.
// Their requests are built in SourceRequest.cpp, their answers read in
// core/SourceAnswer.cpp.
struct TSource {
    const char* Name;
    const char* ShortName; // on the command line
    int EngineCode;
    const char* SwitchKey;   // the settings key that switches it on (off by default)
    const char* BaseKey;     // the settings key of its base address
    const char* DefaultBase; // when the settings hold none
    // The search's address below the base address, less the page suffix.
    std::string (*SearchPath)(const TSourceSearch& search);
    const char* FirstPage;   // appended for the first page
    TSourceAnswer (*Read)(std::string_view body);
    // The source hosts the files it lists: the size it gives is the file's,
    // so a picture with a size is listed without a link check.
    bool HostsFiles;
};

constexpr int SourceCount = 2;
extern const std::array<TSource, SourceCount> Sources;

// The source's place in Sources, or -1.
int SourceIndex(int engineCode);

// "Glimmerscout/1.1 (+home page)", or "(+home page; contact)" with the
// user's contact (the "SourceContact" setting): the agent of every request to
// a source and for a file it listed, as the operators' agent policies ask;
// every other request keeps the described one.
std::string SourceAgent(const std::string& contact = {});

// How many answer pages a source is asked for in one search: the settings
// key "SourcePages", 3 when absent, kept within 1 to 20 (the deepest page
// the open APIs serve).
int SourcePageLimit(const TIniFile& settings);

// A source lists pictures of the types chosen: by the MIME type it gives, or
// without one by the extension of the address's path (letter case ignored).
bool IsListedPicture(const TPictureRecord& picture, TPictureTypes types);
