#include "search/SearchEngine.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/IniFile.h"
#include "search/StartPage.h"

#include <algorithm>

namespace {
const char* const kOptions = "Options";
const char* const kPageTimedOut = "  GetPage:\t";
}

TSearchEngine::TSearchEngine()
{
    const std::pair<QTimer*, void (TRequestScheduler::*)()> ticks[] = {
        {&CheckStartTimer, &TRequestScheduler::StartChecks},
        {&PageStartTimer, &TRequestScheduler::StartPages},
        {&PageReapTimer, &TRequestScheduler::ReapPages},
        {&CheckReapTimer, &TRequestScheduler::ReapChecks},
    };
    CheckStartTimer.setInterval(200);
    PageStartTimer.setInterval(500);
    PageReapTimer.setInterval(100);
    CheckReapTimer.setInterval(100);
    for (const auto& [timer, tick] : ticks) {
        // Precise: a coarse timer may fire 5% late by design, which would eat
        // into the reapers' one-per-100-ms budget.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, [this, tick = tick] { (Scheduler.*tick)(); });
        timer->start();
    }
    ConnectScheduler();
}

TSearchEngine::~TSearchEngine() = default;

void TSearchEngine::ConnectScheduler()
{
    Scheduler.SearchActive = [this] { return SearchActive; };
    Scheduler.OnPageDone = [this](THttpCli* sender) { GetPageRequestDone(sender); };
    Scheduler.OnCheckHeaderEnd = [this](THttpCli* sender) { CheckLinkHeaderEnd(sender); };
    Scheduler.OnCheckReaped = [this](THttpCli* sender) { EndDimensionRead(sender, {}); };
    Scheduler.OnTimedOut = [this](const std::string& line) {
        if (line.starts_with(kPageTimedOut))
            ServiceTimedOut(line.substr(std::string_view(kPageTimedOut).size()));
        if (OnTimedOut)
            OnTimedOut(line);
    };
}

// Called while the request still runs: its client tells the service.
void TSearchEngine::ServiceTimedOut(const std::string& url)
{
    for (const TRunningRequest& page : Scheduler.Pages()) {
        const int service = ServiceIndex(static_cast<int>(page.Client->Tag));
        if (!page.Finished && service >= 0 && page.Client->URL == url) {
            FHealth[service].Warning = "no answer within " + std::to_string(TRequestScheduler::RequestTimeout / 1000) + " s";
            return;
        }
    }
}

void TSearchEngine::ReadBaseAddresses()
{
    for (int i = 0; i < ServiceCount; ++i)
        FBase[i] = Settings->ReadString(kOptions, Services[i].BaseKey, Services[i].DefaultBase);
}

bool TSearchEngine::Start(const std::string& phrase, bool recursive)
{
    const bool slow = Settings->ReadBool(kOptions, "SlowConnection", true);
    Scheduler.GetPageClientLimit = slow ? 4 : 19;
    Scheduler.CheckLinkClientLimit = slow ? 9 : 24;
    const bool startPage = IsStartPage(phrase);
    SearchDirName.clear();
    MakeValidDir(startPage ? StartPageHost(phrase) : phrase, SearchDirName);
    if (phrase.empty())
        return false;
    SearchActive = true;
    FoundFiles.Clear();
    FDimensions.clear();
    FReads.clear();
    ReadPictureSettings();
    FHealth = {};
    FRecursiveSearchActive = recursive;
    ReadBaseAddresses();
    Scheduler.Proxy = ReadProxySettings(*Settings);
    if (startPage) {
        QueuePageFetch(StartPageAddress(phrase), ecListedPage);
        return true;
    }
    std::string query;
    FixMultiQuery(phrase, query);
    for (int i = 0; i < ServiceCount; ++i)
        if (ServicesOn[i])
            QueuePageFetch(FBase[i] + Services[i].Query + query, Services[i].EngineCode);
    return true;
}

void TSearchEngine::Abort()
{
    SearchActive = false;
    PageReapTimer.stop();
    CheckReapTimer.stop();
    Scheduler.Abort();
    PageReapTimer.start();
    CheckReapTimer.start();
}

void TSearchEngine::ReadPictureSettings()
{
    FTypes = TypesOverride.value_or(
        ParsePictureTypes(Settings->ReadString(kOptions, "PictureTypes", "jpeg")).value_or(TPictureTypes::JpegOnly()));
    // JPEG pictures are always searched for; the others are added to them.
    FTypes = FTypes.With(TPictureType::Jpeg);
    FDimensionFilter = ReadDimensionFilter(*Settings);
    if (MinWidthOverride)
        FDimensionFilter.MinWidth = MinWidthOverride;
    if (MinHeightOverride)
        FDimensionFilter.MinHeight = MinHeightOverride;
}

bool TSearchEngine::Idle() const
{
    return Scheduler.GetPageQueue.empty() && Scheduler.CheckLinkQueue.empty() && Scheduler.Pages().empty()
           && Scheduler.Checks().empty();
}

bool TSearchEngine::PassesSizeFilter(const std::string& /*url*/, int64_t size) const
{
    bool result = true;
    if (Settings->ReadBool(kOptions, "LargerThanBool", true)
        && static_cast<int64_t>(Settings->ReadInteger(kOptions, "LargerThan", 20)) * 1000 > size)
        result = false;
    if (Settings->ReadBool(kOptions, "SmallerThanBool", true)
        && static_cast<int64_t>(Settings->ReadInteger(kOptions, "SmallerThan", 1000)) * 1000 < size)
        result = false;
    return result;
}
