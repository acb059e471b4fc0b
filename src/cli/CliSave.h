#pragma once
#include "download/FileFetches.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>

class TIniFile;

// Downloads the pictures of a command-line search into one folder, named by
// the Smart Save settings (sub folder, numbered names) with that folder as the
// save path. An existing file is never overwritten: a taken name falls back to
// the first free numbered name. Failures are reported on err, one line each.
class TCliSave {
public:
    TCliSave(const TIniFile& settings, std::string folder, std::ostream& err);
    ~TCliSave();
    TCliSave(const TCliSave&) = delete;
    TCliSave& operator=(const TCliSave&) = delete;

    // Starts the download of url; searchDirName names the sub folder and the
    // numbered files.
    void Save(const std::string& url, const std::string& searchDirName);
    bool Busy() const { return FFetches && FFetches->Running() > 0; }
    // Ends the downloads still running and removes their unfinished files;
    // nothing is saved after it.
    void Abandon();
    int Saved() const { return FSaved; }
    int Failed() const { return FFailed; }

private:
    void Done(const TFileFetches::TResult& result);
    void Report(const std::string& url, const std::string& why);

    const TIniFile& FSettings;
    std::string FFolder;
    std::ostream& FErr;
    std::unique_ptr<TFileFetches> FFetches = std::make_unique<TFileFetches>();
    std::map<std::string, std::string> FRunning; // file path -> URL
    int FSaved = 0;
    int FFailed = 0;
};
