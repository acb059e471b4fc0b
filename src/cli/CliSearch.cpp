#include "cli/CliSearch.h"

#include "cli/ExitStatus.h"
#include "cli/HealthReport.h"
#include "cli/ProgressLine.h"
#include "cli/ResultLine.h"
#include "cli/SignalPipe.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "platform/TickCount.h"

#include <QEventLoop>
#include <QFileInfo>
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
    // Downloads included: TimeUp() holds from then on.
    QObject::connect(&FTimeLimit, &QTimer::timeout, &FTimeLimit, [this] { Stop(); });
}

TCliSearch::~TCliSearch() = default;

void TCliSearch::SetState(TRunState State) { FState = State; }

bool TCliSearch::TimeUp() const { return FOptions.TimeLimit && !FTimeLimit.isActive(); }

bool TCliSearch::Fail(const std::string& message, int status)
{
    FErr << "glimmerscout: " << message << "\n" << std::flush;
    FExitStatus = status;
    SetState(TRunState::Finished);
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
    Engine.SetOverrides({FOptions.Types, FOptions.MinWidth, FOptions.MinHeight, FOptions.SourceNames, FOptions.Profile,
                         FOptions.Licence});
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
    if (!FOptions.SaveDir.empty()) {
        FSave = std::make_unique<TCliSave>(*FSettings, FOptions.SaveDir, Engine.PageClientLimit(), FErr);
        FHistory = std::make_unique<TSavedHistory>(HistoryFile);
        if (!FHistory->Damage().empty())
            FErr << "glimmerscout: " << FHistory->Damage() << "\n" << std::flush;
        FSave->UseHistory(*FHistory, FOptions.SaveOnce.value_or(Read(*FSettings, Setting::SaveOnce)));
    }
    if (FSave) {
        FSave->SetAgentFor([this](const std::string& url) { return Engine.AgentFor(url); });
        if (Read(*FSettings, Setting::CreditSidecars))
            FSave->SetCreditOf([this](const std::string& url) { return Engine.SourcePicture(url); });
    }
    if (FOptions.Unique) {
        FUnique = std::make_unique<TCliUnique>(Engine.PageClientLimit());
        TThumbnailFetches& thumbnails = FUnique->Fetches();
        thumbnails.ReadProxy = [this] { return ReadProxySettings(*FSettings); };
        thumbnails.AgentFor = [this](const std::string& url) { return Engine.AgentFor(url); };
        thumbnails.AddressOf = [this](const std::string& url) { return Engine.ThumbnailAddress(url); };
    }
    if (FOptions.TimeLimit)
        FTimeLimit.start(static_cast<int>(*FOptions.TimeLimit * 1000));
    Watch.start();
    SetState(TRunState::Searching);
    return true;
}

// Done, for the progress line: answered, or ended by the time-out.
void TCliSearch::ListenToEngine()
{
    Engine.OnFound.Listen([this](const std::string& url, TPictureSize size) { Found(url, size); });
    Engine.OnPageDone.Listen([this] { ++FPagesDone; });
    Engine.OnCheckAnswered.Listen([this] { ++FChecksDone; });
    Engine.OnTimedOut.Listen(
        [this](const TTimedOut& request) { ++(request.Kind == TRequestKind::LinkCheck ? FChecksDone : FPagesDone); });
}

int TCliSearch::Run()
{
    if (!Start())
        return FExitStatus;
    TSignalPipe signalPipe([this](int signal) { Interrupt(ExitStatus::Signalled(signal)); });
    QEventLoop loop;
    FOnFinished = [&loop] { loop.quit(); };
    if (!Finished())
        loop.exec();
    FOnFinished = nullptr;
    return FExitStatus;
}

void TCliSearch::Found(const std::string& url, TPictureSize size)
{
    if (FState != TRunState::Searching)
        return;
    const TDimensions dimensions = Engine.DimensionsOf(Engine.FoundFiles().size() - 1);
    if (FUnique)
        FUnique->Hold(url, size, dimensions);
    else if (!Print(url, size, dimensions, std::nullopt))
        return;
    ++FFound;
    if (FSave && !FUnique)
        FSave->Save(url, Engine.SearchDirName());
    if (FOptions.MaxResults && FFound >= static_cast<uint64_t>(*FOptions.MaxResults))
        Stop();
}

bool TCliSearch::Print(const std::string& url, TPictureSize size, TDimensions dimensions, std::optional<int> group)
{
    ClearProgress();
    FOut << ResultLine(url, size, FOptions.Json, dimensions, group, Engine.SourcePicture(url)) << std::flush;
    if (!FOut) {
        // Whoever read the output is gone (a closed pipe): end as SIGPIPE would, without its abrupt end.
        Interrupt(ExitStatus::Signalled(SIGPIPE));
        return false;
    }
    return true;
}

// Once every held picture's thumbnail has been tried (or time is up).
void TCliSearch::Release()
{
    FReleased = true;
    for (const TCliUnique::TPicture& p : FUnique->Kept()) {
        if (!Print(p.Url, p.Size, p.Dimensions, p.Group))
            return;
        if (FSave)
            FSave->Save(p.Url, Engine.SearchDirName());
    }
}

void TCliSearch::Tick()
{
    if (FSave)
        FSave->Tick();
    if (FUnique)
        FUnique->Tick();
    if (FState == TRunState::Saving) {
        if (FUnique && !FReleased) {
            if (!TimeUp() && FUnique->Busy())
                return;
            Release();
            if (FState != TRunState::Saving)
                return; // the output was closed
        }
        if (TimeUp() || !FSave || !FSave->Busy())
            End();
        return;
    }
    ShowProgress();
    if (Engine.Idle())
        Stop();
}

void TCliSearch::Stop()
{
    if (FState != TRunState::Searching)
        return;
    SetState(TRunState::Stopping);
    // Not inside the event that found the last result: the search ends after it.
    QTimer::singleShot(0, &Watch, [this] { Finish(); });
}

void TCliSearch::Finish()
{
    // An interruption meanwhile ends the run itself.
    if (FState != TRunState::Stopping)
        return;
    Engine.Abort();
    if (FUnique && !TimeUp() && FUnique->Busy()) {
        SetState(TRunState::Saving);
        return; // Tick releases the pictures
    }
    if (FUnique && !FReleased) {
        Release();
        if (FState != TRunState::Stopping)
            return; // the output was closed
    }
    if (FSave && FSave->Busy() && !TimeUp()) {
        SetState(TRunState::Saving);
        return; // Tick ends it
    }
    End();
}

void TCliSearch::Interrupt(int status)
{
    if (FState == TRunState::Interrupted || FState == TRunState::Finished)
        return;
    FExitStatus = status;
    SetState(TRunState::Interrupted);
    QTimer::singleShot(0, &Watch, [this] { End(); });
}

void TCliSearch::End()
{
    if (FState == TRunState::Finished)
        return;
    Watch.stop();
    FTimeLimit.stop();
    Engine.Abort();
    if (FSave)
        FSave->Abandon();
    ClearProgress();
    TSearchHealth health;
    health.StartPage = Engine.StartPageHealth();
    health.Services = Engine.Health();
    // --sources names the services asked, or leaves the four.
    health.ServicesAsked = FOptions.ServicesOn.value_or(health.ServicesAsked);
    for (const TSource& source : Engine.SourceList())
        health.SourceNames.push_back(source.Name);
    health.SourcesOn = Engine.SourcesOn();
    health.Sources = Engine.SourceHealth();
    FErr << HealthReport(health) << std::flush;
    TRunEnd end;
    if (FState == TRunState::Interrupted)
        end.Interrupted = FExitStatus;
    end.Found = FFound;
    end.NothingReached = NothingReached(health);
    end.NotSaved = FSave ? static_cast<size_t>(FSave->Failed()) : 0;
    FExitStatus = ExitStatusOf(end);
    SetState(TRunState::Finished);
    if (FOnFinished)
        FOnFinished();
}

void TCliSearch::ShowProgress()
{
    if (!FProgress)
        return;
    const std::string text = ProgressText(ProgressOf(Engine.Work(), FPagesDone, FChecksDone, FFound));
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
