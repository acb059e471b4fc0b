#pragma once
#include "platform/drives/Drive.h"

#include <string>
#include <vector>

// Path rules of the directory tree. Folder paths end with "/".

// The names between the separators.
std::vector<std::string> PathComponents(const std::string& path);
// The index of the wanted name: its exact match, else its one match that
// ignores letter case; -1 when there is none or the case-blind match is ambiguous.
int MatchComponent(const std::vector<std::string>& names, const std::string& wanted);
// The index of the drive that holds the path (the one with the longest root
// that begins it); -1 when none does.
int DriveIndexOf(const std::string& path, const std::vector<TDrive>& drives);
// True for a folder inside a trash folder (".Trash", ".Trash-UID",
// ".local/share/Trash"); the trash folder itself is not inside.
bool IsBelowTrash(const std::string& path);
// Orders names ignoring letter case; equal ones by their bytes.
bool LessIgnoringCase(const std::string& a, const std::string& b);
