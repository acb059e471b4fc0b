#pragma once
#include "download/FileFetches.h"
#include "download/WaitingLine.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>

class TIniFile;

// Downloads the pictures of a command-line search into one folder, named by
// the Smart Save settings (sub folder, numbered names) with that folder as the
// save path. An existing file is never overwritten: a taken name falls back to
// the first free numbered name. At most `limit` downloads run at once, the
// rest wait in order; one that runs longer than Timeout is cut. Failures are
// reported on err, one line each, and leave no file.
class TCliSave {
public:
    static constexpr uint32_t Timeout = 30000; // ms, as a search's requests

    TCliSave(const TIniFile& settings, std::string folder, int limit, std::ostream& err);
    ~TCliSave();
    TCliSave(const TCliSave&) = delete;
    TCliSave& operator=(const TCliSave&) = delete;

    // Downloads url, now or once fewer than the limit run; searchDirName
    // names the sub folder and the numbered files.
    void Save(const std::string& url, const std::string& searchDirName);
    // Cuts the downloads that ran out of time (and so starts waiting ones).
    void Tick();
    bool Busy() const { return Running() > 0 || Waiting() > 0; }
    size_t Running() const { return FFetches ? FFetches->Running() : 0; }
    size_t Waiting() const { return FWaiting.Waiting.size(); }
    // Ends the downloads still running and removes their unfinished files;
    // the waiting ones are dropped; nothing is saved after it.
    void Abandon();
    int Saved() const { return FSaved; }
    // The agent each download sends (TFileFetches::AgentFor).
    void SetAgentFor(std::function<std::string(const std::string& url)> agentFor)
    {
        FFetches->AgentFor = std::move(agentFor);
    }
    int Failed() const { return FFailed; }

private:
    struct TPicture {
        std::string Url, SearchDirName;
    };
    void Start(const TPicture& picture);
    void Done(const TFileFetches::TResult& result);
    void Report(const std::string& url, const std::string& why);

    const TIniFile& FSettings;
    std::string FFolder;
    std::ostream& FErr;
    std::unique_ptr<TFileFetches> FFetches = std::make_unique<TFileFetches>();
    TWaitingLine<TPicture> FWaiting;
    std::map<std::string, std::string> FRunning; // file path -> URL
    int FSaved = 0;
    int FFailed = 0;
};
