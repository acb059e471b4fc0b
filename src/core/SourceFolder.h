#pragma once
#include "core/SourceDescription.h"

#include <string>
#include <vector>

// The descriptions in a folder of the user's, each "*.json" file in name
// order; those refused, with their reasons. A folder that is not there
// holds none.
struct TSourceFolderRead {
    std::vector<TSourceDescription> Descriptions;
    std::vector<TDescriptionFault> Faults;
};

TSourceFolderRead ReadSourceFolder(const std::string& folder);

// What changes when a description file is added, removed or edited (names,
// sizes, modification times), to read the folder again only then.
std::string SourceFolderStamp(const std::string& folder);
