#pragma once
#include "cli/CliOptions.h"
#include "cli/CliSave.h"
#include "search/SearchEngine.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

class TIniFile;

// One search without a window: prints each picture as it is found on out,
// ends when the work has run out for one time-out period or at a limit,
// waits for its downloads (at most one time-out period more), then writes a
// health line per service on err. Runs in the thread's Qt event loop.
class TCliSearch {
public:
    // progress: keep a progress line on err (which is then a terminal).
    TCliSearch(TCliOptions options, std::ostream& out, std::ostream& err, bool progress);
    ~TCliSearch();
    TCliSearch(const TCliSearch&) = delete;
    TCliSearch& operator=(const TCliSearch&) = delete;

    // Starts the search; false (with a message on err) when it cannot run.
    bool Start();
    bool Finished() const { return FFinished; }
    // 0 when it ran, 1 when no service could be reached, 2 for an unusable
    // settings file or save folder.
    int ExitStatus() const { return FExitStatus; }
    // Start, then the event loop until the end; the exit status.
    int Run();

    // Tests shorten the engine's timers and the idle period.
    TSearchEngine Engine;
    uint32_t IdlePeriod = TRequestScheduler::RequestTimeout; // ms
    QTimer Watch; // the idle test, the progress line and the wait for downloads

private:
    void CountDone(); // for the progress line
    void Found(const std::string& url, int64_t size);
    void Tick();
    void Stop();   // a limit or the idle period was reached
    void Finish(); // ends the search; the downloads may still run
    void End();
    bool Fail(const std::string& message, int status);
    void ShowProgress();
    void ClearProgress();
    int Status() const;

    TCliOptions FOptions;
    std::ostream& FOut;
    std::ostream& FErr;
    bool FProgress;
    std::unique_ptr<TIniFile> FSettings;
    std::unique_ptr<TCliSave> FSave;
    QTimer FTimeLimit;
    std::optional<uint32_t> FIdleSince;
    std::optional<uint32_t> FFinishedAt; // set while waiting for downloads
    std::string FShownProgress;
    uint64_t FFound = 0;
    uint64_t FPagesDone = 0;
    uint64_t FChecksDone = 0;
    bool FStopping = false;
    bool FFinished = false;
    int FExitStatus = 0;
    std::function<void()> FOnFinished;
};
