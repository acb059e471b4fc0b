#pragma once
#include "download/FileFetches.h"

#include <functional>
#include <string>
#include <vector>

class TIniFile;

// Starts the download of each URL, in order: its save folder and file by the
// Smart Save settings (read afresh for every file), its entry in the
// download window's queue (AddToQueue, with the file name), and its fetch. A file that cannot be created logs
// "error code : #0053 (GetFile)" and leaves its entry queued. Returns the
// save folder of the last file; empty when there are no URLs.
std::string QueueDownloads(const std::vector<std::string>& urls, const TIniFile& ini,
                           const std::string& searchDirName,
                           const std::function<void(const std::string&)>& AddToQueue, TFileFetches& fetches);
