#pragma once
#include "download/SavedHistory.h"

#include <string>

// Where a picture of these bytes (SHA-256 digest, size) already lies: a file
// the history saved that still holds them, else a file of the folder that
// does. Empty when there is none. Candidates are read only when their size
// matches, so a folder costs one look at each entry.
std::string FindSavedCopy(const TSavedHistory& history, const std::string& folder, const std::string& digest,
                          int64_t size);

// The SHA-256 of a file's bytes; empty when it cannot be read.
std::string FileDigest(const std::string& path);
