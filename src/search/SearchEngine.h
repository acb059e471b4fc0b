#pragma once
#include "core/PictureRecord.h"
#include "core/PictureSize.h"
#include "core/RequestQueues.h"
#include "core/SearchSink.h"
#include "platform/Event.h"
#include "schedule/RequestScheduler.h"
#include "search/DimensionFilter.h"
#include "search/SearchOverrides.h"
#include "search/ServiceHealth.h"
#include "search/SourceSet.h"
#include "search/Sources.h"

#include <QTimer>
#include <array>
#include <chrono>
#include <deque>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class THttpCli;
class TIniFile;

// The search without a window: the service queries, the two queues, the
// request scheduler and its four timers, page dispatch, link checks and the
// result rules, for the main window and the command line alike. They tell it
// what to do, ask what it holds and listen to its events; its parts are its
// own (tests and benchmarks reach them through TEngineProbe).
//
// Use: UseSettings (and the switches wanted), listen, call Start(phrase,
// recursive); the timers run in the Qt event loop of the thread (a
// QCoreApplication is enough). Every accepted picture is told once through
// OnFound and kept in FoundFiles(). Idle() tells that the work ran out;
// Abort() ends a search; Health() gives the per-service figures and
// HealthLine(Health()) their one-line text; a search of an http:// phrase
// asks no service and has StartPageHealth() instead. The live sources
// (SourceList: the built-in descriptions and the user's own, read again at
// each Start when their folder changed) switched on in the settings
// (SourcesOn) are asked too, with their own health (SourceHealth) and a
// record of each picture they list (SourcePicture). The licence filter
// (LicenceFilter, or the override) is asked of the sources that can filter,
// skips a collection whose licence cannot meet it, and drops a source's
// picture marked with a licence that does not meet it.
//
// A checked picture's width and height are read from the first bytes of its
// body (DimensionsOf(row)). Without a dimension filter it is listed at its
// header as always, and OnDimensions(row) tells when they are read before
// the check is reaped; with a filter (or SetWaitForDimensions) it is listed once
// they are read, or once the read gives up.
class TSearchEngine : public TSearchSink {
public:
    TSearchEngine();
    ~TSearchEngine() override;
    TSearchEngine(const TSearchEngine&) = delete;
    TSearchEngine& operator=(const TSearchEngine&) = delete;

    // --- told by the owner
    // Read at every Start (connection profile, base addresses, proxies) and
    // at every picture checked (size filter). Must be set before Start. The
    // user's sources are read from the folder beside it (UserSourceFolder).
    void UseSettings(const TIniFile& settings);
    // "Check Links", read at every picture found; unset means off.
    void SetCheckLinks(std::function<bool()> ticked) { FCheckLinks = std::move(ticked); }
    // Which services a search queries, in Services order.
    void SetServicesOn(const std::array<bool, ServiceCount>& on) { FServicesOn = on; }
    // Checked pictures wait for their dimensions before they are listed.
    void SetWaitForDimensions(bool wait) { FWaitForDimensions = wait; }
    // Used instead of the settings file's values, the connection profile
    // among them (read at every Start).
    void SetOverrides(const TSearchOverrides& overrides) { FOverrides = overrides; }
    // The width of the thumbnails the sources are asked for: the grid's.
    void SetThumbnailWidth(int pixels) { FThumbnailWidth = pixels; }

    // phrase: UTF-8 (other bytes are read as Windows-1252); the services get it
    // in their code page (ServiceQuery), SearchDirName keeps it in UTF-8.
    // Sets the client limits and SearchDirName; with a non-empty phrase also
    // starts a search (results and health emptied) and returns true. An
    // "http://" or "https://" phrase is fetched as a listed page instead of being sent to
    // the services. Failures of the settings are thrown.
    bool Start(const std::string& phrase, bool recursive);
    // Empties both queues and ends every running request; results stay.
    void Abort();

    // --- events
    TEvent<TSearchEngine, const std::string&, TPictureSize> OnFound; // url, size
    // A listed picture's dimensions were read after it was listed.
    TEvent<TSearchEngine, size_t> OnDimensions; // row
    // Refused repeats of a page fetch or a link check, in counts.
    TEvent<TSearchEngine, uint64_t> OnPageRepeats;
    TEvent<TSearchEngine, uint64_t> OnCheckRepeats;
    // A page fetch or link check ran too long: its kind and URL.
    TEvent<TSearchEngine, const TTimedOut&> OnTimedOut;
    // A page fetch came to its end (before it is read), a link check's
    // header arrived (before it is judged).
    TEvent<TSearchEngine> OnPageDone;
    TEvent<TSearchEngine> OnCheckAnswered;

    // --- asked by the owner
    // A search runs: from a Start with a phrase to Abort.
    bool Active() const { return FActive; }
    // Nothing waits and every request has finished: nothing can add work
    // (what a finished request still delivers is dropped once Abort runs).
    bool Idle() const;
    // The Smart Save folder of the latest Start.
    const std::string& SearchDirName() const { return FSearchDirName; }
    // The pictures listed, a row each, in the order OnFound told them.
    const TUrlList& FoundFiles() const { return FFoundFiles; }
    TDimensions DimensionsOf(size_t row) const { return row < FDimensions.size() ? FDimensions[row] : TDimensions{}; }
    // What waits and runs, for the diagnostics window and the progress line.
    TWorkCounts Work() const { return FScheduler.Counts(); }
    // How many page fetches may run at once in the latest Start's profile.
    int PageClientLimit() const { return FScheduler.GetPageClientLimit; }
    const THealth& Health() const { return FHealth; }
    // How the start page of a search of an http:// phrase answered; none
    // in a search of the services.
    const std::optional<TServiceHealth>& StartPageHealth() const { return FStartPage; }
    // The settings file in use; empty before UseSettings.
    std::string SettingsFile() const;
    // The sources: the built-in ones, then the user's, as read at the latest
    // Start or RefreshSources; the user's files refused then.
    const std::vector<TSource>& SourceList() const { return FSources; }
    const std::vector<TDescriptionFault>& RefusedSources() const;
    // Reads the user's sources again when their folder changed; true when
    // it did (a refused file is then logged once).
    bool RefreshSources();
    // The sources the latest search asked, and how they answered, in
    // SourceList order.
    const std::vector<bool>& SourcesOn() const { return FSourcesOn; }
    const TSourceHealth& SourceHealth() const { return FSourceHealth; }
    // What a source told of a picture it listed (letter case ignored); null
    // for a picture found otherwise.
    const TPictureRecord* SourcePicture(const std::string& url) const;
    // The agent a request for url sends: the sources' own (SourceAgent with
    // the user's contact) for a picture a source listed, else empty (the
    // client's described one).
    std::string AgentFor(const std::string& url) const;
    // The address of a picture's thumbnail where its source gives one, else
    // the picture's own.
    std::string ThumbnailAddress(const std::string& url) const;

    // --- TSearchSink: where the scrapers and the link extractor hand what
    // they find while a search runs.
    void QueuePageFetch(const std::string& url, EngineCode engineCode) override;
    void QueueLinkCheck(const std::string& url) override;
    void QueuePageFetchTimes(const std::string& url, EngineCode engineCode, uint64_t times) override;
    void QueueLinkCheckTimes(const std::string& url, uint64_t times) override;
    void AddToListView(const std::string& url, TPictureSize size) override;
    bool IsFound(const std::string& url) const override;
    bool CheckLinksTicked() const override;
    bool RecursiveSearchActive() const override { return FRecursive; }
    TPictureTypes PictureTypes() const override { return FTypes; }
    std::string LycosBaseAddress() const override { return FBase[ServiceIndex(ecLycos)]; }
    std::string ScourNetBaseAddress() const override { return FBase[ServiceIndex(ecScourNet)]; }

private:
    friend class TEngineProbe;

    void ConnectScheduler();
    void GetPageRequestDone(THttpCli* sender);
    void CheckLinkHeaderEnd(THttpCli* sender);
    void ReadBaseAddresses();
    void ReadSources(bool asked, const std::string& phrase);
    void QueueFirstSourcePages();
    // A 429 or 503 with Retry-After: the source is left alone until then.
    bool LimitedBy(int source, const THttpCli& sender);
    void ServiceTimedOut(const std::string& url);
    TServiceHealth* HealthOf(EngineCode engineCode, const std::string& url);
    TServiceHealth* HealthOf(EngineCode engineCode);
    void ReadStartPage(const THttpCli& page, std::string_view body, TServiceHealth& health);
    // Reads a service's or a source's answer; gives the warning it earns.
    std::string ReadAnswer(EngineCode engineCode, const THttpCli& sender, std::string_view body, TSearchSink& sink);
    std::string ReadSourceAnswer(int source, const THttpCli& sender, std::string_view body, TSearchSink& sink);
    void RouteSourcePicture(const TSource& source, const TPictureRecord& picture, TSearchSink& sink);
    // Queues a source's page, or holds it until its host may be asked again.
    void QueueSourcePage(int source, const std::string& url);
    void ReleaseHostPage(const std::string& host);
    void SourcePageEnded(const std::string& url);
    void ReadPictureSettings();
    TDimensions SourceDimensions(const std::string& url) const;
    // Lists a picture that passed the filters; false when it was refused.
    bool List(const std::string& url, TPictureSize size, TDimensions dimensions);
    // PictureReads.cpp: the dimensions from a check's first body bytes.
    void StartDimensionRead(THttpCli* sender, TPictureSize size, size_t row);
    void DimensionData(THttpCli* sender, std::string_view data);
    void EndDimensionRead(THttpCli* sender, TDimensions dimensions);

    // A check reading its picture's first bytes.
    struct TDimensionRead {
        std::string Bytes;
        TPictureSize Size;
        size_t Row = NotListed; // its row once listed
    };
    static constexpr size_t NotListed = SIZE_MAX;

    // Told by the owner.
    const TIniFile* FSettings = nullptr;
    std::function<bool()> FCheckLinks;
    std::array<bool, ServiceCount> FServicesOn{true, true, true, true};
    bool FWaitForDimensions = false;
    TSearchOverrides FOverrides;

    // The search.
    bool FActive = false;
    bool FRecursive = false;
    std::string FSearchDirName;
    TRequestScheduler FScheduler;
    TUrlList FFoundFiles;
    QTimer FCheckStartTimer; // 200 ms
    QTimer FPageStartTimer;  // 500 ms
    QTimer FPageReapTimer;   // 100 ms
    QTimer FCheckReapTimer;  // 100 ms
    QTimer FPassTimer;       // at once, when the profile asks (RunSoon)

    std::array<std::string, ServiceCount> FBase;
    THealth FHealth;
    std::optional<TServiceHealth> FStartPage;
    std::string FStartPageUrl;
    std::unique_ptr<TSourceSet> FSourceSet;
    std::vector<TSource> FSources;
    std::vector<bool> FSourcesOn;
    std::vector<std::string> FSourceQuery; // each answer page's address less its page suffix
    std::vector<std::vector<std::string>> FSourceHeaders;
    std::vector<int> FSourcePagesAsked;
    std::vector<int> FSourcePageLimit;
    TSourceHealth FSourceHealth;
    std::unordered_map<std::string, TPictureRecord> FSourcePictures; // by lower-cased address
    // Until when each source (by short name) asked to be left alone, for every search of the run.
    std::map<std::string, std::chrono::steady_clock::time_point> FSourceRetryAt;
    // The pages of sources that ask for a pause between requests, by host:
    // one at a time, each the pause after the end of the one before.
    struct THeldPage {
        std::string Url;
        ::EngineCode EngineCode;
        std::chrono::milliseconds Interval;
    };
    struct THostTurns {
        std::deque<THeldPage> Waiting;
        bool Busy = false;  // a page of it is queued or running
        bool Timed = false; // a timer waits for the pause to end
        std::chrono::steady_clock::time_point Ended;
    };
    std::map<std::string, THostTurns> FHostTurns;
    int FHeldPages = 0;         // waiting for their host's turn
    uint64_t FSearchNumber = 0; // which search a timer belongs to
    QObject FHeldPagesOwner; // dropping it drops the held pages' timers
    std::string FSourceAgent;
    int FThumbnailWidth = 128;
    TPictureTypes FTypes = TPictureTypes::JpegOnly();
    TLicenceFilter FLicence = TLicenceFilter::Any;
    TDimensionFilter FDimensionFilter;
    std::vector<TDimensions> FDimensions; // per row of FoundFiles
    std::unordered_map<const THttpCli*, TDimensionRead> FReads;
};
