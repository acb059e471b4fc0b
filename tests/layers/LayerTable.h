#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The layer table of docs/architecture.md: each folder of the tree (a path
// from the project's top) and the folders whose headers its files may use.
struct TLayerTable {
    std::map<std::string, std::vector<std::string>> Uses;
    std::map<std::string, std::string> Library; // what the folder builds, as the table names it
    std::vector<std::string> Errors; // rows that could not be taken as written

    // The folder itself, the folders it uses, those they use, and so on.
    std::set<std::string> Reach(const std::string& folder) const;
    // The deepest folder of the table that holds the path; empty if none does.
    std::string FolderOf(std::string_view path) const;
};

// Reads the first table after the heading line; the folders are the
// backquoted words of the first column and of the last.
TLayerTable ReadLayerTable(std::string_view markdown, std::string_view heading);
