#include "cli/CliSearch.h"

#include "cli/ExitStatus.h"
#include "cli/ProgressLine.h"
#include "cli/ResultLine.h"
#include "cli/SignalPipe.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "platform/TickCount.h"
#include "search/ServiceHealth.h"

#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

TCliSearch::TCliSearch(TCliOptions options, std::ostream& out, std::ostream& err, bool progress)
    : FOptions(std::move(options)), FOut(out), FErr(err), FProgress(progress)
{
    ListenToEngine();
    Watch.setInterval(100);
    QObject::connect(&Watch, &QTimer::timeout, &Watch, [this] { Tick(); });
    FTimeLimit.setSingleShot(true);
    QObject::connect(&FTimeLimit, &QTimer::timeout, &FTimeLimit, [this] {
        FTimeUp = true; // downloads included
        Stop();
    });
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
        return Fail("no settings file " + file, ExitStatus::BadArguments);
    if (!FOptions.SaveDir.empty()) {
        ::mkdir(FOptions.SaveDir.c_str(), 0777);
        if (!IsFolder(FOptions.SaveDir))
            return Fail("cannot save into " + FOptions.SaveDir, ExitStatus::BadArguments);
    }
    FSettings = std::make_unique<TIniFile>(file);
    const bool check = FOptions.CheckLinks.value_or(Read(*FSettings, Setting::CheckLinks));
    const bool recursive = FOptions.Recursive.value_or(Read(*FSettings, Setting::RecursiveSearch));
    Engine.UseSettings(*FSettings);
    for (const TDescriptionFault& fault : Engine.RefusedSources())
        FErr << "glimmerscout: source refused: " << fault.Text() << "\n";
    if (const std::string wrong = CheckSourceNames(FOptions, Engine.SourceList()); !wrong.empty())
        return Fail(wrong, ExitStatus::BadArguments);
    Engine.SetCheckLinks([check] { return check; });
    Engine.SetOverrides({FOptions.Types, FOptions.MinWidth, FOptions.MinHeight, FOptions.SourceNames, FOptions.Profile});
    if (FOptions.ServicesOn)
        Engine.SetServicesOn(*FOptions.ServicesOn);
    // A JSON line tells the dimensions, so it waits for them.
    Engine.SetWaitForDimensions(FOptions.Json);
    try {
        Engine.Start(FOptions.Phrase, recursive);
    } catch (const std::exception& e) {
        return Fail(std::string("the search cannot start: ") + e.what(), ExitStatus::NothingReached);
    }
    // Downloads run as many at once as the connection profile lets page fetches.
    if (!FOptions.SaveDir.empty())
        FSave = std::make_unique<TCliSave>(*FSettings, FOptions.SaveDir, Engine.PageClientLimit(), FErr);
    if (FSave)
        FSave->SetAgentFor([this](const std::string& url) { return Engine.AgentFor(url); });
    if (FOptions.TimeLimit)
        FTimeLimit.start(static_cast<int>(*FOptions.TimeLimit * 1000));
    Watch.start();
    return true;
}

// Done, for the progress line: answered, or ended by the time-out.
void TCliSearch::ListenToEngine()
{
    Engine.OnFound.Listen([this](const std::string& url, TPictureSize size) { Found(url, size); });
    Engine.OnPageDone.Listen([this] { ++FPagesDone; });
    Engine.OnCheckAnswered.Listen([this] { ++FChecksDone; });
    Engine.OnTimedOut.Listen(
        [this](const std::string& line) { ++(line.starts_with("CheckLink") ? FChecksDone : FPagesDone); });
}

int TCliSearch::Run()
{
    if (!Start())
        return FExitStatus;
    TSignalPipe signalPipe([this](int signal) { Interrupt(ExitStatus::Signalled(signal)); });
    QEventLoop loop;
    FOnFinished = [&loop] { loop.quit(); };
    if (!FFinished)
        loop.exec();
    FOnFinished = nullptr;
    return FExitStatus;
}

void TCliSearch::Found(const std::string& url, TPictureSize size)
{
    if (FStopping)
        return;
    ClearProgress();
    FOut << ResultLine(url, size, FOptions.Json, Engine.DimensionsOf(Engine.FoundFiles().size() - 1)) << std::flush;
    if (!FOut) {
        // Whoever read the output is gone (a closed pipe): end as SIGPIPE would, without its abrupt end.
        Interrupt(ExitStatus::Signalled(SIGPIPE));
        return;
    }
    ++FFound;
    if (FSave)
        FSave->Save(url, Engine.SearchDirName());
    if (FOptions.MaxResults && FFound >= static_cast<uint64_t>(*FOptions.MaxResults))
        Stop();
}

void TCliSearch::Tick()
{
    if (FSave)
        FSave->Tick();
    if (FSearchEnded) {
        if (FTimeUp || !FSave->Busy())
            End();
        return;
    }
    ShowProgress();
    if (Engine.Idle())
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
    if (FFinished)
        return;
    Engine.Abort();
    if (FSave && FSave->Busy() && !FTimeUp) {
        FSearchEnded = true;
        return; // Tick ends it
    }
    End();
}

void TCliSearch::Interrupt(int status)
{
    if (FFinished || FInterrupted)
        return;
    FInterrupted = status;
    FStopping = true;
    QTimer::singleShot(0, &Watch, [this] { End(); });
}

void TCliSearch::End()
{
    if (FFinished)
        return;
    Watch.stop();
    FTimeLimit.stop();
    Engine.Abort();
    if (FSave)
        FSave->Abandon();
    ClearProgress();
    WriteHealth();
    FExitStatus = Status();
    FFinished = true;
    if (FOnFinished)
        FOnFinished();
}

void TCliSearch::WriteHealth()
{
    if (const auto& start = Engine.StartPageHealth())
        FErr << ServiceHealthText(StartPageName, *start) << "\n";
    else
        for (int i = 0; i < ServiceCount; ++i)
            if (ServiceAsked(i))
                FErr << ServiceHealthText(Services[i].Name, Engine.Health()[i]) << "\n";
    for (size_t i = 0; i < Engine.SourcesOn().size(); ++i)
        if (Engine.SourcesOn()[i])
            FErr << ServiceHealthText(Engine.SourceList()[i].Name, Engine.SourceHealth()[i]) << "\n";
    FErr << std::flush;
}

// Nothing reached: the start page, or every service asked, failed on the
// network, and no source answered at all (whatever it said).
bool TCliSearch::NothingReached() const
{
    const auto failed = [](const TServiceHealth& h) { return !h.Warning.empty() && h.Warning != FormatChangedWarning; };
    for (size_t i = 0; i < Engine.SourcesOn().size(); ++i)
        if (Engine.SourcesOn()[i] && Engine.SourceHealth()[i].Pages > 0)
            return false;
    if (const auto& start = Engine.StartPageHealth())
        return failed(*start);
    for (int i = 0; i < ServiceCount; ++i)
        if (ServiceAsked(i) && !failed(Engine.Health()[i]))
            return false;
    return true;
}

bool TCliSearch::ServiceAsked(int service) const
{
    return !FOptions.ServicesOn || (*FOptions.ServicesOn)[service];
}

int TCliSearch::Status() const
{
    if (FInterrupted)
        return *FInterrupted;
    if (FFound == 0 && NothingReached())
        return ExitStatus::NothingReached;
    if (FSave && FSave->Failed() > 0)
        return ExitStatus::NotSaved;
    return ExitStatus::Ran;
}

void TCliSearch::ShowProgress()
{
    if (!FProgress)
        return;
    const TWorkCounts work = Engine.Work();
    TProgress p;
    p.PagesRunning = work.PagesRunning;
    p.PagesQueued = work.PagesQueued;
    p.PagesDone = FPagesDone;
    p.ChecksRunning = work.ChecksRunning;
    p.ChecksQueued = work.ChecksQueued;
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
