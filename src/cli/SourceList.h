#pragma once
#include "cli/CliOptions.h"

#include <string>
#include <vector>

class TIniFile;

// --list-sources: a line for each service and source (the built-in ones,
// then the user's), in search order: its name on the command line, "on" or
// "off" for a search with these options, its base address and its full
// name, separated by tabs. The user's files that were refused are in
// refused, a line each ("file:line: reason").
std::string SourceListText(const TIniFile& settings, const TCliOptions& options, std::string* refused = nullptr);

// The sources of that settings file: the built-in ones, then the user's from
// the folder beside it; the refused files' lines added to refused.
std::vector<TSource> ReadSourceList(const TIniFile& settings, std::string* refused = nullptr);
