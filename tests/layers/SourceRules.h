#pragma once
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

// A pattern that no line of the files below Folder may hold outside string
// literals and comments; Except names the one file that may (empty: none).
struct TSourceRule {
    std::string Says; // what a break means, for its line
    std::string Folder;
    std::regex Pattern;
    std::string Except;
};

// One line per break: the file, the line number and what the rule says.
std::vector<std::string> CheckSourceRules(const std::filesystem::path& top, const std::vector<TSourceRule>& rules);

// The data members of the socket's layer classes (the headers Pattern
// matches below Folder) are declared private: a layer reaches another's
// state only through the functions it offers. One line per member that is not.
std::vector<std::string> CheckPrivateFields(const std::filesystem::path& top, const std::string& folder,
                                            const std::regex& headers);
