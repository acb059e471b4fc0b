#pragma once
#include "layers/LayerTable.h"

#include <filesystem>
#include <string>
#include <vector>

// The layer table and the test executables of docs/architecture.md against
// the tree at top: each row's folder holds sources and its build names the
// row's library or program; each library or program a folder of the table
// builds has its row; each test executable of tests/CMakeLists.txt is named
// in the document. One line per difference.
std::vector<std::string> CheckTableAgainstTree(const std::filesystem::path& top, const TLayerTable& table,
                                               const std::string& document);
