#pragma once
#include "core/PictureRecord.h"
#include "core/RequestQueues.h"
#include "core/SearchSink.h"
#include "schedule/RequestScheduler.h"
#include "search/DimensionFilter.h"
#include "search/ServiceHealth.h"

#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class THttpCli;
class TIniFile;

// The search without a window: the service queries, the two queues, the
// request scheduler and its four timers, page dispatch, link checks and the
// result rules, for the main window and the command line alike.
//
// Use: set Settings (and the callbacks wanted), call Start(phrase,
// recursive); the timers run in the Qt event loop of the thread (a
// QCoreApplication is enough). Every accepted picture arrives once through
// OnFound(url, size) — size > 0 checked bytes, 0 unchecked, < 0 checked
// without a length — and is kept in FoundFiles. Idle() tells that the work
// ran out; Abort() ends a search; Health() gives the per-service figures
// and HealthLine(Health()) their one-line text; a search of an http://
// phrase asks no service and has StartPageHealth() instead. The live sources
// switched on in the settings (SourcesOn) are asked too, with their own
// health (SourceHealth) and a record of each picture they list (SourcePicture).
//
// A checked picture's width and height are read from the first bytes of its
// body (DimensionsOf(row)). Without a dimension filter it is listed at its
// header as always, and OnDimensions(row) tells when they are read before
// the check is reaped; with a filter (or WaitForDimensions) it is listed once
// they are read, or once the read gives up.
class TSearchEngine : public TSearchSink {
public:
    TSearchEngine();
    ~TSearchEngine() override;
    TSearchEngine(const TSearchEngine&) = delete;
    TSearchEngine& operator=(const TSearchEngine&) = delete;

    // --- set by the owner
    // Read at every Start (connection profile, base addresses, proxies) and
    // at every picture checked (size filter). Must be set before Start.
    const TIniFile* Settings = nullptr;
    // "Check Links", read at every picture found; unset means off.
    std::function<bool()> CheckLinks;
    // Which services a search queries, in Services order.
    std::array<bool, ServiceCount> ServicesOn{true, true, true, true};
    std::function<void(const std::string& url, int64_t size)> OnFound;
    // Refused repeats of a page fetch or a link check, in counts.
    std::function<void(uint64_t)> OnPageRepeats;
    std::function<void(uint64_t)> OnCheckRepeats;
    // A listed picture's dimensions were read after it was listed.
    std::function<void(size_t row)> OnDimensions;
    // Checked pictures wait for their dimensions before they are listed.
    bool WaitForDimensions = false;
    // Set: used instead of the settings file's picture types or minimum
    // width and height (read at every Start).
    std::optional<TPictureTypes> TypesOverride;
    std::optional<int> MinWidthOverride;
    std::optional<int> MinHeightOverride;
    // "  GetPage:\t" or "CheckLink:\t", then the URL of the timed-out request.
    std::function<void(const std::string&)> OnTimedOut;

    // --- search state
    bool SearchActive = false;
    bool FRecursiveSearchActive = false;
    std::string SearchDirName; // the Smart Save folder of the latest Start
    TRequestScheduler Scheduler;
    TUrlList FoundFiles;
    QTimer CheckStartTimer; // 200 ms
    QTimer PageStartTimer;  // 500 ms
    QTimer PageReapTimer;   // 100 ms
    QTimer CheckReapTimer;  // 100 ms

    // phrase: UTF-8 (other bytes are read as Windows-1252); the services get it
    // in their code page (ServiceQuery), SearchDirName keeps it in UTF-8.
    // Sets the client limits and SearchDirName; with a non-empty phrase also
    // starts a search (results and health emptied) and returns true. An
    // "http://" or "https://" phrase is fetched as a listed page instead of being sent to
    // the services. Failures of the settings are thrown.
    bool Start(const std::string& phrase, bool recursive);
    // Empties both queues and ends every running request; results stay.
    void Abort();
    // Nothing waits and every request has finished: nothing can add work
    // (what a finished request still delivers is dropped once Abort runs).
    bool Idle() const;
    const THealth& Health() const { return FHealth; }
    // How the start page of a search of an http:// phrase answered; none
    // in a search of the services.
    const std::optional<TServiceHealth>& StartPageHealth() const { return FStartPage; }
    // The sources the latest search asked, and how they answered.
    const std::array<bool, SourceCount>& SourcesOn() const { return FSourcesOn; }
    const TSourceHealth& SourceHealth() const { return FSourceHealth; }
    // What a source told of a picture it listed (letter case ignored); null
    // for a picture found otherwise.
    const TPictureRecord* SourcePicture(const std::string& url) const;
    TDimensions DimensionsOf(size_t row) const { return row < FDimensions.size() ? FDimensions[row] : TDimensions{}; }

    // --- the search's own events (the scheduler calls them)
    void GetPageRequestDone(THttpCli* sender);
    void CheckLinkHeaderEnd(THttpCli* sender);
    bool PassesSizeFilter(const std::string& url, int64_t size) const;

    // --- TSearchSink
    void QueuePageFetch(const std::string& url, int engineCode) override;
    void QueueLinkCheck(const std::string& url) override;
    void QueuePageFetchTimes(const std::string& url, int engineCode, uint64_t times) override;
    void QueueLinkCheckTimes(const std::string& url, uint64_t times) override;
    void AddToListView(const std::string& url, int64_t size) override;
    bool IsFound(const std::string& url) const override;
    bool CheckLinksTicked() const override;
    bool RecursiveSearchActive() const override { return FRecursiveSearchActive; }
    TPictureTypes PictureTypes() const override { return FTypes; }
    std::string LycosBaseAddress() const override { return FBase[ServiceIndex(ecLycos)]; }
    std::string ScourNetBaseAddress() const override { return FBase[ServiceIndex(ecScourNet)]; }

private:
    void ConnectScheduler();
    void ReadBaseAddresses();
    void ReadSources(bool asked);
    void ServiceTimedOut(const std::string& url);
    TServiceHealth* HealthOf(const THttpCli& client);
    TServiceHealth* HealthOf(int engineCode);
    void ReadStartPage(const THttpCli& page, std::string_view body, TServiceHealth& health);
    // Reads a service's or a source's answer; gives the warning it earns.
    std::string ReadAnswer(const THttpCli& sender, std::string_view body, TSearchSink& sink);
    std::string ReadSourceAnswer(int source, const THttpCli& sender, std::string_view body, TSearchSink& sink);
    void RouteSourcePicture(const TSource& source, const TPictureRecord& picture, TSearchSink& sink);
    void ReadPictureSettings();
    TDimensions SourceDimensions(const std::string& url) const;
    // Lists a picture that passed the filters; false when it was refused.
    bool List(const std::string& url, int64_t size, TDimensions dimensions);
    // PictureReads.cpp: the dimensions from a check's first body bytes.
    void StartDimensionRead(THttpCli* sender, int64_t size, size_t row);
    void DimensionData(THttpCli* sender, std::string_view data);
    void EndDimensionRead(THttpCli* sender, TDimensions dimensions);

    // A check reading its picture's first bytes.
    struct TDimensionRead {
        std::string Bytes;
        int64_t Size = 0;
        size_t Row = NotListed; // its row once listed
    };
    static constexpr size_t NotListed = SIZE_MAX;

    std::array<std::string, ServiceCount> FBase;
    THealth FHealth;
    std::optional<TServiceHealth> FStartPage;
    std::string FStartPageUrl;
    std::array<bool, SourceCount> FSourcesOn{};
    std::array<std::string, SourceCount> FSourceQuery; // each answer page's address less its page suffix
    std::array<int, SourceCount> FSourcePagesAsked{};
    int FSourcePageLimit = 1;
    TSourceHealth FSourceHealth;
    std::unordered_map<std::string, TPictureRecord> FSourcePictures; // by lower-cased address
    TPictureTypes FTypes = TPictureTypes::JpegOnly();
    TDimensionFilter FDimensionFilter;
    std::vector<TDimensions> FDimensions; // per row of FoundFiles
    std::unordered_map<const THttpCli*, TDimensionRead> FReads;
};
