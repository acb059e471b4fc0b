#include "search/SourceSet.h"

#include "core/BuiltInSources.h"
#include "core/SourceFolder.h"
#include "platform/AnsiCase.h"

#include <algorithm>

std::string UserSourceFolder(const std::string& settingsFile)
{
    const size_t slash = settingsFile.rfind('/');
    return (slash == std::string::npos ? std::string() : settingsFile.substr(0, slash + 1)) + "sources";
}

TSourceSet::TSourceSet(std::string userFolder, std::vector<std::string> reserved)
    : FFolder(std::move(userFolder)), FReserved(std::move(reserved))
{
    FSources = BuiltInSources();
    FBuiltInCount = FSources.size();
}

bool TSourceSet::Refresh()
{
    const std::string stamp = SourceFolderStamp(FFolder);
    if (FRead && stamp == FStamp)
        return false;
    FRead = true;
    FStamp = stamp;
    FSources.resize(FBuiltInCount);
    FRefused.clear();
    TSourceFolderRead read = ReadSourceFolder(FFolder);
    FRefused = std::move(read.Faults);
    for (TSourceDescription& d : read.Descriptions) {
        const std::string name = AnsiLowerCase(d.ShortName);
        if (std::find(FReserved.begin(), FReserved.end(), name) != FReserved.end()) {
            FRefused.push_back({d.File, 0, "shortName: \"" + d.ShortName + "\" is a service's short name"});
            continue;
        }
        if (const int taken = Find(d.ShortName); taken >= 0) {
            FRefused.push_back({d.File, 0,
                                "shortName: \"" + d.ShortName + "\" is already the short name of " + FSources[taken].Name});
            continue;
        }
        const auto sameName = [&](const TSourceDescription& s) { return AnsiLowerCase(s.Name) == AnsiLowerCase(d.Name); };
        if (const auto it = std::find_if(FSources.begin(), FSources.end(), sameName); it != FSources.end()) {
            FRefused.push_back({d.File, 0, "name: \"" + d.Name + "\" is already the name of another source"});
            continue;
        }
        FSources.push_back(std::move(d));
    }
    // Kept in the order of the files, whichever way they were refused.
    std::stable_sort(FRefused.begin(), FRefused.end(),
                     [](const TDescriptionFault& a, const TDescriptionFault& b) { return a.File < b.File; });
    return true;
}

int TSourceSet::Find(const std::string& shortName) const
{
    const std::string wanted = AnsiLowerCase(shortName);
    for (size_t i = 0; i < FSources.size(); ++i)
        if (AnsiLowerCase(FSources[i].ShortName) == wanted)
            return static_cast<int>(i);
    return -1;
}
