#include "cli/CliSearch.h"

#include "cli/ProgressLine.h"
#include "cli/ResultLine.h"
#include "platform/IniFile.h"
#include "platform/TickCount.h"
#include "search/ServiceHealth.h"

#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <sys/stat.h>

namespace {

const char* const kOptions = "Options";

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

TCliSearch::TCliSearch(TCliOptions options, std::ostream& out, std::ostream& err, bool progress)
    : FOptions(std::move(options)), FOut(out), FErr(err), FProgress(progress)
{
    Watch.setInterval(100);
    QObject::connect(&Watch, &QTimer::timeout, &Watch, [this] { Tick(); });
    FTimeLimit.setSingleShot(true);
    QObject::connect(&FTimeLimit, &QTimer::timeout, &FTimeLimit, [this] { Stop(); });
}

TCliSearch::~TCliSearch() = default;

bool TCliSearch::Fail(const std::string& message, int status)
{
    FErr << "glimmerscout: " << message << "\n" << std::flush;
    FExitStatus = status;
    FFinished = true;
    return false;
}

bool TCliSearch::Start()
{
    const std::string file = FOptions.SettingsFile.empty() ? ProgramSettingsFile() : FOptions.SettingsFile;
    if (!FOptions.SettingsFile.empty() && !QFileInfo(QString::fromStdString(file)).isFile())
        return Fail("no settings file " + file, 2);
    if (!FOptions.SaveDir.empty()) {
        ::mkdir(FOptions.SaveDir.c_str(), 0777);
        if (!IsFolder(FOptions.SaveDir))
            return Fail("cannot save into " + FOptions.SaveDir, 2);
    }
    FSettings = std::make_unique<TIniFile>(file);
    const bool check = FOptions.CheckLinks.value_or(FSettings->ReadBool(kOptions, "CheckLinks", true));
    const bool recursive = FOptions.Recursive.value_or(FSettings->ReadBool(kOptions, "RecursiveSearch", true));
    Engine.Settings = FSettings.get();
    Engine.CheckLinks = [check] { return check; };
    Engine.OnFound = [this](const std::string& url, int64_t size) { Found(url, size); };
    Engine.TypesOverride = FOptions.Types;
    Engine.MinWidthOverride = FOptions.MinWidth;
    Engine.MinHeightOverride = FOptions.MinHeight;
    // A JSON line tells the dimensions, so it waits for them.
    Engine.WaitForDimensions = FOptions.Json;
    CountDone();
    if (!FOptions.SaveDir.empty())
        FSave = std::make_unique<TCliSave>(*FSettings, FOptions.SaveDir, FErr);
    try {
        Engine.Start(FOptions.Phrase, recursive);
    } catch (const std::exception& e) {
        return Fail(std::string("the search cannot start: ") + e.what(), 1);
    }
    if (FOptions.TimeLimit)
        FTimeLimit.start(static_cast<int>(*FOptions.TimeLimit * 1000));
    Watch.start();
    return true;
}

// Done: answered, or ended by the time-out.
void TCliSearch::CountDone()
{
    const auto page = Engine.Scheduler.OnPageDone;
    Engine.Scheduler.OnPageDone = [this, page](THttpCli* sender) {
        ++FPagesDone;
        page(sender);
    };
    const auto checkEnd = Engine.Scheduler.OnCheckHeaderEnd;
    Engine.Scheduler.OnCheckHeaderEnd = [this, checkEnd](THttpCli* sender) {
        ++FChecksDone;
        checkEnd(sender);
    };
    Engine.OnTimedOut = [this](const std::string& line) { ++(line.starts_with("CheckLink") ? FChecksDone : FPagesDone); };
}

int TCliSearch::Run()
{
    if (!Start())
        return FExitStatus;
    QEventLoop loop;
    FOnFinished = [&loop] { loop.quit(); };
    if (!FFinished)
        loop.exec();
    FOnFinished = nullptr;
    return FExitStatus;
}

void TCliSearch::Found(const std::string& url, int64_t size)
{
    if (FStopping)
        return;
    ClearProgress();
    FOut << ResultLine(url, size, FOptions.Json, Engine.DimensionsOf(Engine.FoundFiles.size() - 1)) << std::flush;
    ++FFound;
    if (FSave)
        FSave->Save(url, Engine.SearchDirName);
    if (FOptions.MaxResults && FFound >= static_cast<uint64_t>(*FOptions.MaxResults))
        Stop();
}

void TCliSearch::Tick()
{
    if (FFinishedAt) {
        if (!FSave->Busy() || GetTickCount() - *FFinishedAt >= TRequestScheduler::RequestTimeout)
            End();
        return;
    }
    ShowProgress();
    if (!Engine.Idle()) {
        FIdleSince.reset();
        return;
    }
    if (!FIdleSince)
        FIdleSince = GetTickCount();
    else if (GetTickCount() - *FIdleSince >= IdlePeriod)
        Stop();
}

void TCliSearch::Stop()
{
    if (FStopping)
        return;
    FStopping = true;
    // Not inside the event that found the last result: the search ends after it.
    QTimer::singleShot(0, &Watch, [this] { Finish(); });
}

void TCliSearch::Finish()
{
    Engine.Abort();
    FTimeLimit.stop();
    if (FSave && FSave->Busy()) {
        FFinishedAt = GetTickCount();
        return; // Tick ends it
    }
    End();
}

void TCliSearch::End()
{
    Watch.stop();
    if (FSave)
        FSave->Abandon();
    ClearProgress();
    for (int i = 0; i < ServiceCount; ++i)
        FErr << ServiceHealthText(Services[i].Name, Engine.Health()[i]) << "\n";
    FErr << std::flush;
    FExitStatus = Status();
    FFinished = true;
    if (FOnFinished)
        FOnFinished();
}

// 1 when nothing was found and every service failed on the network.
int TCliSearch::Status() const
{
    if (FFound > 0)
        return 0;
    for (const TServiceHealth& h : Engine.Health())
        if (h.Warning.empty() || h.Warning == FormatChangedWarning)
            return 0;
    return 1;
}

void TCliSearch::ShowProgress()
{
    if (!FProgress)
        return;
    TProgress p;
    const auto running = [](const std::vector<TRunningRequest>& requests) {
        return static_cast<size_t>(
            std::count_if(requests.begin(), requests.end(), [](const TRunningRequest& r) { return !r.Finished; }));
    };
    p.PagesRunning = running(Engine.Scheduler.Pages());
    p.PagesQueued = Engine.Scheduler.GetPageQueue.size();
    p.PagesDone = FPagesDone;
    p.ChecksRunning = running(Engine.Scheduler.Checks());
    p.ChecksQueued = Engine.Scheduler.CheckLinkQueue.size();
    p.ChecksDone = FChecksDone;
    p.Found = FFound;
    const std::string text = ProgressText(p);
    if (text == FShownProgress)
        return;
    FShownProgress = text;
    FErr << "\r" << text << "\x1b[K" << std::flush;
}

void TCliSearch::ClearProgress()
{
    if (FShownProgress.empty())
        return;
    FShownProgress.clear();
    FErr << "\r\x1b[K" << std::flush;
}
