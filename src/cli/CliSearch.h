#pragma once
#include "cli/CliOptions.h"
#include "cli/CliSave.h"
#include "cli/RunState.h"
#include "search/SearchEngine.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

class TIniFile;

// One search without a window: prints each picture as it is found on out,
// ends as soon as nothing waits or runs (nothing can add work then) or at a
// limit, waits for its downloads (the time limit still holds), then writes
// a health line per service (or for the start page) on err. Runs in the
// thread's Qt event loop.
class TCliSearch {
public:
    // progress: keep a progress line on err (which is then a terminal).
    TCliSearch(TCliOptions options, std::ostream& out, std::ostream& err, bool progress);
    ~TCliSearch();
    TCliSearch(const TCliSearch&) = delete;
    TCliSearch& operator=(const TCliSearch&) = delete;

    // Starts the search; false (with a message on err) when it cannot run.
    bool Start();
    bool Finished() const { return FState == TRunState::Finished; }
    // One of ExitStatus.
    int ExitStatus() const { return FExitStatus; }
    // Start, then the event loop until the end, SIGINT and SIGTERM ending
    // it early; the exit status.
    int Run();
    // Ends the run at once, as a signal does: requests and downloads cut,
    // unfinished files removed, the health lines written; then status.
    void Interrupt(int status);
    // The downloads of --save; none without it.
    const TCliSave* Save() const { return FSave.get(); }

    // Tests shorten the engine's timers (TEngineProbe).
    TSearchEngine Engine;
    QTimer Watch; // the end of the work, the progress line and the downloads

private:
    void SetState(TRunState State);
    void ListenToEngine();
    void Found(const std::string& url, TPictureSize size);
    void Tick();
    void Stop();   // a limit was reached or the work ran out
    void Finish(); // ends the search; the downloads may still run
    void End();
    bool Fail(const std::string& message, int status);
    void ShowProgress();
    void ClearProgress();
    bool TimeUp() const;

    TCliOptions FOptions;
    std::ostream& FOut;
    std::ostream& FErr;
    bool FProgress;
    std::unique_ptr<TIniFile> FSettings;
    std::unique_ptr<TCliSave> FSave;
    QTimer FTimeLimit;
    std::string FShownProgress;
    uint64_t FFound = 0;
    uint64_t FPagesDone = 0;
    uint64_t FChecksDone = 0;
    TRunState FState = TRunState::Idle;
    int FExitStatus = 0; // an interruption's from Interrupt on
    std::function<void()> FOnFinished;
};
