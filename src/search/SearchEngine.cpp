#include "search/SearchEngine.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "search/ServiceQuery.h"
#include "search/StartPage.h"

namespace {
const char* const kPageTimedOut = "  GetPage:\t";
}

TSearchEngine::TSearchEngine()
{
    const std::pair<QTimer*, void (TRequestScheduler::*)()> ticks[] = {
        {&FCheckStartTimer, &TRequestScheduler::StartChecks},
        {&FPageStartTimer, &TRequestScheduler::StartPages},
        {&FPageReapTimer, &TRequestScheduler::ReapPages},
        {&FCheckReapTimer, &TRequestScheduler::ReapChecks},
    };
    FCheckStartTimer.setInterval(200);
    FPageStartTimer.setInterval(500);
    FPageReapTimer.setInterval(100);
    FCheckReapTimer.setInterval(100);
    // A profile that starts work when a slot is free asks for a pass.
    FPassTimer.setSingleShot(true);
    FPassTimer.setInterval(0);
    QObject::connect(&FPassTimer, &QTimer::timeout, &FPassTimer, [this] { FScheduler.Pass(); });
    for (const auto& [timer, tick] : ticks) {
        // Precise: a coarse timer may fire 5% late by design, which would eat
        // into the reapers' one-per-100-ms budget.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, [this, tick = tick] { (FScheduler.*tick)(); });
        timer->start();
    }
    ConnectScheduler();
}

TSearchEngine::~TSearchEngine() = default;

void TSearchEngine::ConnectScheduler()
{
    FScheduler.SearchActive = [this] { return FActive; };
    FScheduler.RunSoon = [this] {
        if (!FPassTimer.isActive())
            FPassTimer.start();
    };
    FScheduler.OnPageDone = [this](THttpCli* sender) {
        OnPageDone();
        GetPageRequestDone(sender);
    };
    FScheduler.OnCheckHeaderEnd = [this](THttpCli* sender) {
        OnCheckAnswered();
        CheckLinkHeaderEnd(sender);
    };
    FScheduler.OnPageStart = [](THttpCli& client) {
        if (SourceIndex(static_cast<int>(client.Tag)) >= 0) {
            client.Agent = SourceAgent();
            client.Accept = "application/json";
        }
    };
    FScheduler.OnCheckReaped = [this](THttpCli* sender) { EndDimensionRead(sender, {}); };
    FScheduler.OnTimedOut = [this](const std::string& line) {
        if (line.starts_with(kPageTimedOut))
            ServiceTimedOut(line.substr(std::string_view(kPageTimedOut).size()));
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
    for (const TRunningRequest& page : FScheduler.Pages()) {
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
        FBase[i] = FSettings->ReadString(Setting::Options, Services[i].BaseKey, Services[i].DefaultBase);
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
        FSourcesOn[i] = asked && FSettings->ReadBool(Setting::Options, Sources[i].SwitchKey, false);
        FSourceQuery[i] =
            FSettings->ReadString(Setting::Options, Sources[i].BaseKey, Sources[i].DefaultBase) + Sources[i].Query;
    }
    FSourcePageLimit = SourcePageLimit(*FSettings);
    FSourcePagesAsked = {};
    FSourceHealth = {};
    FSourcePictures.clear();
}

bool TSearchEngine::Start(const std::string& phrase, bool recursive)
{
    FScheduler.UseProfile(ReadConnectionProfile(*FSettings, FOverrides.Profile));
    const bool startPage = IsStartPage(phrase);
    FSearchDirName.clear();
    MakeValidDir(AsUtf8(startPage ? StartPageHost(phrase) : phrase), FSearchDirName);
    if (phrase.empty())
        return false;
    FActive = true;
    FFoundFiles.Clear();
    FDimensions.clear();
    FReads.clear();
    ReadPictureSettings();
    FHealth = {};
    FStartPage.reset();
    FRecursive = recursive;
    ReadBaseAddresses();
    ReadSources(!startPage);
    FScheduler.Proxy = ReadProxySettings(*FSettings);
    if (startPage) {
        FStartPage.emplace();
        FStartPageUrl = StartPageAddress(phrase);
        QueuePageFetch(FStartPageUrl, ecListedPage);
        return true;
    }
    const std::string query = ServiceQuery(phrase);
    for (int i = 0; i < ServiceCount; ++i)
        if (FServicesOn[i])
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
    FActive = false;
    FPageReapTimer.stop();
    FCheckReapTimer.stop();
    FScheduler.Abort();
    FPageReapTimer.start();
    FCheckReapTimer.start();
}

void TSearchEngine::ReadPictureSettings()
{
    FTypes = FOverrides.Types.value_or(
        ParsePictureTypes(Read(*FSettings, Setting::PictureTypes)).value_or(TPictureTypes::JpegOnly()));
    // JPEG pictures are always searched for; the others are added to them.
    FTypes = FTypes.With(TPictureType::Jpeg);
    FDimensionFilter = ReadDimensionFilter(*FSettings);
    if (FOverrides.MinWidth)
        FDimensionFilter.MinWidth = FOverrides.MinWidth;
    if (FOverrides.MinHeight)
        FDimensionFilter.MinHeight = FOverrides.MinHeight;
}

bool TSearchEngine::Idle() const
{
    const TWorkCounts work = FScheduler.Counts();
    return work.PagesQueued == 0 && work.ChecksQueued == 0 && work.PagesRunning == 0 && work.ChecksRunning == 0;
}
