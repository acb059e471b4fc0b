#pragma once
#include "layers/LayerTable.h"

#include <filesystem>
#include <string>
#include <vector>

struct TIncludeScan {
    int FilesRead = 0;
    int IncludesOfTheTree = 0;        // includes found as files of the tree
    std::vector<std::string> Breaks;  // one line each, naming the file and the include
};

// Reads every source file below the given folders of the tree at top, and
// checks each include that names a file of the tree against the table:
// a file includes only from the folders its own folder reaches. A folder
// whose CMakeLists.txt builds something needs a row of its own.
TIncludeScan CheckIncludes(const std::filesystem::path& top, const TLayerTable& table,
                           const std::vector<std::string>& folders);
