#pragma once
#include "core/DescribedRequest.h"
#include "core/EngineCode.h"
#include "core/SourceAnswer.h"
#include "core/SourceDescription.h"
#include "pictures/PictureTypes.h"

#include <string>
#include <vector>

class TIniFile;

// A live picture source beside the four services: a public JSON search API
// read by its description (built in, or the user's own), switched on in the
// settings file and answered a page at a time. Its settings keys are made
// from its short name with a capital first letter: "SearchCommons" switches
// it on (off by default), "CommonsBaseAddress" moves it, "CommonsPages" is
// how many answer pages a search asks of it.
struct TSource {
    std::string Name;
    std::string ShortName; // on the command line
    ::EngineCode EngineCode; // ecFirstSource and up, in list order
    std::string SwitchKey;
    std::string BaseKey;
    std::string PagesKey;
    bool BuiltIn = true;
    TSourceDescription Description;

    const std::string& DefaultBase() const { return Description.DefaultBase; }
    // The source hosts the files it lists: the size it gives is the file's,
    // so a picture with a size is listed without a link check.
    bool HostsFiles() const { return Description.HostsFiles; }
};

// The sources of these descriptions, in their order.
std::vector<TSource> SourcesOf(const std::vector<TSourceDescription>& descriptions, size_t builtIn);
// The built-in sources alone.
const std::vector<TSource>& BuiltInSourceList();

// The source of that engine code in the list, or -1.
int SourceIndex(const std::vector<TSource>& sources, EngineCode engineCode);

// "Glimmerscout/1.1 (+home page)", or "(+home page; contact)" with the
// user's contact (the "SourceContact" setting): the agent of every request to
// a source and for a file it listed, as the operators' agent policies ask;
// every other request keeps the described one.
std::string SourceAgent(const std::string& contact = {});

// How many answer pages a source is asked for in one search: its own key,
// else "SourcePages", 3 when neither is there; kept within 1 and the most
// its description allows (20 for the built-in ones).
int SourcePageLimit(const TIniFile& settings, const TSource& source);

// A source lists pictures of the types chosen: by the MIME type it gives, or
// without one by the extension of the address's path (letter case ignored).
bool IsListedPicture(const TPictureRecord& picture, TPictureTypes types);
