#pragma once
#include "download/DownloadWindow.h"
#include "download/FileFetches.h"

#include <string>
#include <vector>

class TIniFile;

// Starts the download of each URL, in order: its save folder and file by the
// Smart Save settings (read afresh for every file), its entry in the
// window's queue, and its fetch (kind 3). A file that cannot be created logs
// "error code : #0053 (GetFile)" and leaves its entry queued. Returns the
// save folder of the last file; empty when there are no URLs.
std::string QueueDownloads(const std::vector<std::string>& urls, const TIniFile& ini,
                           const std::string& searchDirName, Tfrm_Download& window, TFileFetches& fetches);
