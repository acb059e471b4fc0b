#pragma once
#include "download/DownloadFile.h"

#include <memory>
#include <string>

class TIniFile;

// Where downloaded and viewed pictures are written, and under which names.
namespace SmartSave {

struct TSettings {
    std::string SavePath; // as StoredPath reads it
    bool SubDir = false;       // a sub folder named after the search phrase
    bool NumberedList = false; // phrase_1.jpg, phrase_2.jpg, ...
};

// Read afresh for every file, so a changed option applies at once. Until a
// save folder is chosen, an installed copy saves into the pictures folder.
TSettings ReadSettings(const TIniFile& ini);

// The save path as the settings file holds it, read sensibly: UTF-8 as it
// is; other bytes as they are when they name a folder (an earlier version
// stored the disk's own bytes), else as Windows-1252 letters (a file from the
// program's Windows days, or edited in that code page).
std::string StoredPath(const TIniFile& ini);

// The folder of a download, created when missing, one level at a time (a
// missing parent is not created; failures show when the file is created).
std::string SaveFolder(const TSettings& settings, const std::string& searchDirName);

// name as a plain entry of one folder, in UTF-8 (bytes that are not UTF-8,
// as a page's links may hold, are read as Windows-1252): path separators and
// control characters become '_'; empty for names that cannot be one ("",
// ".", "..").
std::string SafeFileName(const std::string& name);

// Creates the file of one download inside folder: the picture's own name, or
// with numbering the first free searchDirName_N + the name's last four
// characters (five for ".webp"), taken by exclusive create so a batch never
// reuses a number.
// Raises EStreamError when the file cannot be created.
std::unique_ptr<TDownloadFile> CreateTarget(const TSettings& settings, const std::string& folder,
                                            const std::string& searchDirName, const std::string& fileName);

// Creates the scratch copy of a viewed picture in the scratch folder (given
// with a trailing separator; made with its parents when missing). Raises
// EStreamError when the file cannot be created.
std::unique_ptr<TDownloadFile> CreateScratchFile(const std::string& scratchFolder, const std::string& fileName);

} // namespace SmartSave
