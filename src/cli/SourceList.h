#pragma once
#include "cli/CliOptions.h"

#include <string>

class TIniFile;

// --list-sources: a line for each service and source, in search order: its
// name on the command line, "on" or "off" for a search with these options,
// its base address and its full name, separated by tabs.
std::string SourceListText(const TIniFile& settings, const TCliOptions& options);
