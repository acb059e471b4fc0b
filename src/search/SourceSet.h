#pragma once
#include "core/SourceDescription.h"

#include <string>
#include <vector>

// The live sources a search may ask: the descriptions built into the
// program, then the user's own, read from a folder at start and again at
// a search start when its files changed. A user's description whose short
// name is taken (by a service or by a source before it) is refused like a
// file that does not parse; the other sources work as before.
class TSourceSet {
public:
    // reserved: the short names of the services.
    TSourceSet(std::string userFolder, std::vector<std::string> reserved);

    // Reads the user's folder when its files changed since the last read
    // (always, the first time); true when it read.
    bool Refresh();

    // The built-in sources first, in their order, then the user's in file
    // name order.
    const std::vector<TSourceDescription>& Sources() const { return FSources; }
    size_t BuiltInCount() const { return FBuiltInCount; }
    // The user's files refused at the latest read.
    const std::vector<TDescriptionFault>& Refused() const { return FRefused; }
    const std::string& Folder() const { return FFolder; }

    // The source of that short name (letter case ignored), or -1.
    int Find(const std::string& shortName) const;

private:
    std::string FFolder;
    std::vector<std::string> FReserved;
    std::string FStamp;
    bool FRead = false;
    size_t FBuiltInCount = 0;
    std::vector<TSourceDescription> FSources;
    std::vector<TDescriptionFault> FRefused;
};

// Where a user keeps descriptions: "sources/" in the folder of the settings
// file (beside the executable for a copy that runs from its own folder,
// else the user's configuration folder).
std::string UserSourceFolder(const std::string& settingsFile);
