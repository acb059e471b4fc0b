#include "search/SearchEngine.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "search/ServiceQuery.h"
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
    Scheduler.OnPageStart = [](THttpCli& client) {
        if (SourceIndex(static_cast<int>(client.Tag)) >= 0) {
            client.Agent = SourceAgent();
            client.Accept = "application/json";
        }
    };
    Scheduler.OnCheckReaped = [this](THttpCli* sender) { EndDimensionRead(sender, {}); };
    Scheduler.OnTimedOut = [this](const std::string& line) {
        if (line.starts_with(kPageTimedOut))
            ServiceTimedOut(line.substr(std::string_view(kPageTimedOut).size()));
        if (OnTimedOut)
            OnTimedOut(line);
    };
}

// The figures a page fetch counts into: its service's or source's, or the
// start page's.
TServiceHealth* TSearchEngine::HealthOf(const THttpCli& client)
{
    const int code = static_cast<int>(client.Tag);
    if (TServiceHealth* health = HealthOf(code))
        return health;
    if (code == ecListedPage && FStartPage && client.URL == FStartPageUrl)
        return &*FStartPage;
    return nullptr;
}

// Called while the request still runs: its client tells the service.
void TSearchEngine::ServiceTimedOut(const std::string& url)
{
    for (const TRunningRequest& page : Scheduler.Pages()) {
        if (page.Finished || page.Client->URL != url)
            continue;
        if (TServiceHealth* health = HealthOf(*page.Client)) {
            health->Warning =
                page.Client->TlsHandshaking()
                    ? std::string("TLS: ") + TRequestScheduler::TlsHandshakeTimeOut
                    : "no answer within " + std::to_string(TRequestScheduler::RequestTimeout / 1000) + " s";
            return;
        }
    }
}

void TSearchEngine::ReadBaseAddresses()
{
    for (int i = 0; i < ServiceCount; ++i)
        FBase[i] = Settings->ReadString(kOptions, Services[i].BaseKey, Services[i].DefaultBase);
}

TServiceHealth* TSearchEngine::HealthOf(int engineCode)
{
    if (const int service = ServiceIndex(engineCode); service >= 0)
        return &FHealth[service];
    if (const int source = SourceIndex(engineCode); source >= 0)
        return &FSourceHealth[source];
    return nullptr;
}

// asked: the search sends its phrase to the sources switched on.
void TSearchEngine::ReadSources(bool asked)
{
    for (int i = 0; i < SourceCount; ++i) {
        FSourcesOn[i] = asked && Settings->ReadBool(kOptions, Sources[i].SwitchKey, false);
        FSourceQuery[i] = Settings->ReadString(kOptions, Sources[i].BaseKey, Sources[i].DefaultBase) + Sources[i].Query;
    }
    FSourcePageLimit = SourcePageLimit(*Settings);
    FSourcePagesAsked = {};
    FSourceHealth = {};
    FSourcePictures.clear();
}

bool TSearchEngine::Start(const std::string& phrase, bool recursive)
{
    const bool slow = Settings->ReadBool(kOptions, "SlowConnection", true);
    Scheduler.GetPageClientLimit = slow ? 4 : 19;
    Scheduler.CheckLinkClientLimit = slow ? 9 : 24;
    const bool startPage = IsStartPage(phrase);
    SearchDirName.clear();
    MakeValidDir(AsUtf8(startPage ? StartPageHost(phrase) : phrase), SearchDirName);
    if (phrase.empty())
        return false;
    SearchActive = true;
    FoundFiles.Clear();
    FDimensions.clear();
    FReads.clear();
    ReadPictureSettings();
    FHealth = {};
    FStartPage.reset();
    FRecursiveSearchActive = recursive;
    ReadBaseAddresses();
    ReadSources(!startPage);
    Scheduler.Proxy = ReadProxySettings(*Settings);
    if (startPage) {
        FStartPage.emplace();
        FStartPageUrl = StartPageAddress(phrase);
        QueuePageFetch(FStartPageUrl, ecListedPage);
        return true;
    }
    const std::string query = ServiceQuery(phrase);
    for (int i = 0; i < ServiceCount; ++i)
        if (ServicesOn[i])
            QueuePageFetch(FBase[i] + Services[i].Query + query, Services[i].EngineCode);
    const std::string value = SourceQuery(phrase);
    for (int i = 0; i < SourceCount; ++i) {
        if (!FSourcesOn[i])
            continue;
        FSourceQuery[i] += value;
        FSourcePagesAsked[i] = 1;
        QueuePageFetch(FSourceQuery[i] + Sources[i].FirstPage, Sources[i].EngineCode);
    }
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
    const auto finished = [](const std::vector<TRunningRequest>& requests) {
        return std::all_of(requests.begin(), requests.end(), [](const TRunningRequest& r) { return r.Finished; });
    };
    return Scheduler.GetPageQueue.empty() && Scheduler.CheckLinkQueue.empty() && finished(Scheduler.Pages())
           && finished(Scheduler.Checks());
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
