#include "search/SearchEngine.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "platform/AnsiCase.h"
#include "platform/AnsiText.h"
#include "platform/ErrorLog.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"
#include "search/ServiceQuery.h"
#include "search/StartPage.h"

namespace {

// "host[:port]" of an address: what the pause between a source's requests is kept for.
std::string UrlHost(const std::string& url)
{
    const size_t scheme = url.find("://");
    const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    return AnsiLowerCase(url.substr(start, url.find_first_of("/?#", start) - start));
}

} // namespace

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
        // The pause between a source's requests is kept from the end of one to the start of the next.
        if (SourceIndex(FSources, FScheduler.PageCode(sender)) >= 0)
            SourcePageEnded(sender->URL);
        OnPageDone();
        GetPageRequestDone(sender);
    };
    FScheduler.OnCheckHeaderEnd = [this](THttpCli* sender) {
        OnCheckAnswered();
        CheckLinkHeaderEnd(sender);
    };
    FScheduler.OnPageStart = [this](THttpCli& client, EngineCode engineCode) {
        if (const int source = SourceIndex(FSources, engineCode); source >= 0) {
            client.Agent = FSourceAgent;
            client.Accept = "application/json";
            client.ExtraHeaders = FSourceHeaders[source];
        }
    };
    FScheduler.OnCheckStart = [this](THttpCli& client) {
        if (const std::string agent = AgentFor(client.URL); !agent.empty())
            client.Agent = agent;
    };
    FScheduler.OnCheckReaped = [this](THttpCli* sender) { EndDimensionRead(sender, {}); };
    FScheduler.OnTimedOut = [this](const TTimedOut& request) {
        if (request.Kind == TRequestKind::PageFetch) {
            ServiceTimedOut(request.Url);
            SourcePageEnded(request.Url);
        }
        OnTimedOut(request);
    };
}

// The figures a page fetch counts into: its service's or source's, or the
// start page's.
TServiceHealth* TSearchEngine::HealthOf(EngineCode engineCode, const std::string& url)
{
    if (TServiceHealth* health = HealthOf(engineCode))
        return health;
    if (engineCode == ecListedPage && FStartPage && url == FStartPageUrl)
        return &*FStartPage;
    return nullptr;
}

// Called while the request still runs: its client tells the service.
void TSearchEngine::ServiceTimedOut(const std::string& url)
{
    for (const TRunningRequest& page : FScheduler.Pages()) {
        if (page.Finished || page.Client->URL != url)
            continue;
        if (TServiceHealth* health = HealthOf(page.Code, page.Client->URL)) {
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

TServiceHealth* TSearchEngine::HealthOf(EngineCode engineCode)
{
    if (const int service = ServiceIndex(engineCode); service >= 0)
        return &FHealth[service];
    if (const int source = SourceIndex(FSources, engineCode); source >= 0 && source < static_cast<int>(FSourceHealth.size()))
        return &FSourceHealth[source];
    return nullptr;
}

void TSearchEngine::UseSettings(const TIniFile& settings)
{
    FSettings = &settings;
    std::vector<std::string> reserved;
    for (const TService& service : Services)
        reserved.push_back(service.ShortName);
    FSourceSet = std::make_unique<TSourceSet>(UserSourceFolder(settings.FileName()), std::move(reserved));
    RefreshSources();
}

std::string TSearchEngine::SettingsFile() const { return FSettings ? FSettings->FileName() : std::string(); }

bool TSearchEngine::RefreshSources()
{
    if (!FSourceSet || !FSourceSet->Refresh())
        return false;
    FSources = SourcesOf(FSourceSet->Sources(), FSourceSet->BuiltInCount());
    for (const TDescriptionFault& fault : FSourceSet->Refused())
        ErrorLog::Append("source refused: " + fault.Text());
    return true;
}

const std::vector<TDescriptionFault>& TSearchEngine::RefusedSources() const
{
    static const std::vector<TDescriptionFault> none;
    return FSourceSet ? FSourceSet->Refused() : none;
}

// asked: the search sends its phrase to the sources switched on.
void TSearchEngine::ReadSources(bool asked, const std::string& phrase)
{
    RefreshSources();
    const size_t count = FSources.size();
    FSourcesOn.assign(count, false);
    FSourceQuery.assign(count, {});
    FSourceHeaders.assign(count, {});
    FSourcePagesAsked.assign(count, 0);
    FSourcePageLimit.assign(count, 1);
    FSourceHealth.assign(count, {});
    FSourcePictures.clear();
    FSourceAgent = SourceAgent(Read(*FSettings, Setting::SourceContact));
    for (size_t i = 0; i < count; ++i) {
        const TSource& source = FSources[i];
        const bool on = FOverrides.Sources ? std::find(FOverrides.Sources->begin(), FOverrides.Sources->end(),
                                                       AnsiLowerCase(source.ShortName)) != FOverrides.Sources->end()
                                           : FSettings->ReadBool(Setting::Options, source.SwitchKey, false);
        FSourcesOn[i] = asked && on;
        TSourceSearch search{AsUtf8(phrase), FTypes, FThumbnailWidth, {}, FSourceAgent, FLicence};
        const TSourceDescription& d = source.Description;
        // A collection whose every picture the filter would drop is not asked.
        if (const auto allows = d.Allows.find(FLicence); allows != d.Allows.end() && !allows->second)
            FSourceHealth[i].Warning = FLicence == TLicenceFilter::Commercial
                                           ? "not asked: its licence allows no commercial use"
                                           : "not asked: its licence allows no changes";
        if (!d.KeySetting.empty()) {
            search.Key = FSettings->ReadString(Setting::Options, d.KeySetting, "");
            if (search.Key.empty())
                FSourceHealth[i].Warning = "needs a key: set " + d.KeySetting + " in the settings";
        }
        FSourceQuery[i] = DescribedSearchAddress(
            d, FSettings->ReadString(Setting::Options, source.BaseKey, source.DefaultBase()), search);
        FSourceHeaders[i] = DescribedHeaders(d, search);
        FSourcePageLimit[i] = SourcePageLimit(*FSettings, source);
    }
}

// A source still to be left alone is not asked; its line says until when.
void TSearchEngine::QueueFirstSourcePages()
{
    const auto now = std::chrono::steady_clock::now();
    for (size_t i = 0; i < FSources.size(); ++i) {
        if (!FSourcesOn[i] || !FSourceHealth[i].Warning.empty())
            continue;
        const auto retry = FSourceRetryAt.find(FSources[i].ShortName);
        if (retry != FSourceRetryAt.end() && now < retry->second) {
            FSourceHealth[i].Warning = RateLimitedWarning;
            FSourceHealth[i].RetryAt = retry->second;
            continue;
        }
        FSourcePagesAsked[i] = 1;
        QueueSourcePage(static_cast<int>(i), FSourceQuery[i] + DescribedPageSuffix(FSources[i].Description, 0));
    }
}

// A source that asks for a pause between requests has its pages to a host
// go one at a time: each is queued once the one before has ended and the
// pause is over. Sources without a pause are queued at once.
void TSearchEngine::QueueSourcePage(int source, const std::string& url)
{
    const TSource& s = FSources[source];
    if (s.Description.IntervalMs <= 0) {
        QueuePageFetch(url, s.EngineCode);
        return;
    }
    THostTurns& host = FHostTurns[UrlHost(url)];
    host.Waiting.push_back({url, s.EngineCode, std::chrono::milliseconds(s.Description.IntervalMs)});
    ++FHeldPages;
    ReleaseHostPage(UrlHost(url));
}

void TSearchEngine::ReleaseHostPage(const std::string& hostName)
{
    THostTurns& host = FHostTurns[hostName];
    if (host.Busy || host.Timed || host.Waiting.empty())
        return;
    const auto ready = host.Ended + host.Waiting.front().Interval;
    const auto now = std::chrono::steady_clock::now();
    if (ready > now) {
        host.Timed = true;
        // Precise: a coarse timer may fire a little early, and the pause is a least time.
        QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(ready - now), Qt::PreciseTimer,
                           &FHeldPagesOwner, [this, hostName, search = FSearchNumber] {
                               if (search != FSearchNumber)
                                   return;
                               FHostTurns[hostName].Timed = false;
                               ReleaseHostPage(hostName);
                           });
        return;
    }
    const THeldPage page = host.Waiting.front();
    host.Waiting.pop_front();
    --FHeldPages;
    host.Busy = true;
    if (FActive)
        QueuePageFetch(page.Url, page.EngineCode);
}

// A source's page to a host that keeps turns has ended (answered, failed or cut).
void TSearchEngine::SourcePageEnded(const std::string& url)
{
    const auto it = FHostTurns.find(UrlHost(url));
    if (it == FHostTurns.end() || !it->second.Busy)
        return;
    it->second.Busy = false;
    it->second.Ended = std::chrono::steady_clock::now();
    ReleaseHostPage(it->first);
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
    ++FSearchNumber;
    // What an earlier search held is dropped; when each host last answered is kept.
    for (auto& [name, host] : FHostTurns) {
        host.Waiting.clear();
        host.Busy = host.Timed = false;
    }
    FHeldPages = 0;
    FFoundFiles.Clear();
    FDimensions.clear();
    FReads.clear();
    ReadPictureSettings();
    FHealth = {};
    FStartPage.reset();
    FRecursive = recursive;
    ReadBaseAddresses();
    ReadSources(!startPage, phrase);
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
    QueueFirstSourcePages();
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
    // A value the program does not know filters nothing, as a missing one.
    FLicence = FOverrides.Licence.value_or(
        ParseLicenceFilter(Read(*FSettings, Setting::LicenceFilter)).value_or(TLicenceFilter::Any));
    if (FOverrides.MinWidth)
        FDimensionFilter.MinWidth = FOverrides.MinWidth;
    if (FOverrides.MinHeight)
        FDimensionFilter.MinHeight = FOverrides.MinHeight;
}

bool TSearchEngine::Idle() const
{
    const TWorkCounts work = FScheduler.Counts();
    return work.PagesQueued == 0 && work.ChecksQueued == 0 && work.PagesRunning == 0 && work.ChecksRunning == 0
           && (FHeldPages == 0 || !FActive);
}
