#pragma once
#include "core/RequestQueues.h"
#include "net/ProxySettings.h"
#include "schedule/ConnectionProfile.h"
#include "schedule/HeldLines.h"
#include "schedule/RunningRequest.h"
#include "schedule/WorkCounts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The search's request execution. Timers call the start and reap ticks: the
// starts take work off the two queues onto HTTP clients while the held count
// of a kind is at most its limit (RoomToStart); a request is finished when its event
// is handled (MarkFinished), when it runs too long, or on Abort; the reapers
// free finished requests of their kind. How many a tick, and whether a
// finish or new work asks for a pass at once (RunSoon), is the connection
// profile's (UseProfile); so is the cap of requests to one host, whose
// lines wait held, in order, while it has no room.
class TRequestScheduler {
public:
    static constexpr uint32_t RequestTimeout = 30000;
    // The TLS failure of a request that timed out in its handshake.
    static constexpr const char* TlsHandshakeTimeOut = "handshake time-out";
    // What a page may hold: more than a person's page, little enough that the
    // fetches of the fast profile together stay small. A page cut off here is
    // still read as far as it came.
    static constexpr int64_t PageSizeLimit = 4 * 1024 * 1024;

    TRequestScheduler() = default;
    ~TRequestScheduler(); // frees running requests without telling anyone
    TRequestScheduler(const TRequestScheduler&) = delete;
    TRequestScheduler& operator=(const TRequestScheduler&) = delete;

    TPageQueue GetPageQueue;
    TUrlList CheckLinkQueue;
    // The profile's limits; tests may set them alone.
    int GetPageClientLimit = 4;
    int CheckLinkClientLimit = 9;
    TProxySettings Proxy; // the proxies every new request goes through

    // Asked at every start and reap: no client starts while it is false, and
    // running requests are then reaped without waiting for their time-out.
    std::function<bool()> SearchActive;
    // A page fetch's client is set up and about to start.
    std::function<void(THttpCli&, EngineCode)> OnPageStart;
    // Told before a link check's request goes out: its owner may set its agent.
    std::function<void(THttpCli&)> OnCheckStart;
    // A page fetch completed; its body is PageBody(client).
    std::function<void(THttpCli*)> OnPageDone;
    // A link check's response header arrived.
    std::function<void(THttpCli*)> OnCheckHeaderEnd;
    // A link check is about to be aborted and freed (its client still lives).
    std::function<void(THttpCli*)> OnCheckReaped;
    // A request ran longer than RequestTimeout.
    std::function<void(const TTimedOut&)> OnTimedOut;
    // Asked, in a profile that starts work when a slot is free, to call
    // Pass soon: not inside the event that finished a request.
    std::function<void()> RunSoon;

    // Read at every search start; the limits come with it.
    void UseProfile(const TConnectionProfile& profile);
    const TConnectionProfile& Profile() const { return FProfile; }

    // Appends to a queue unless the URL waits already (letter case ignored),
    // on the queue or held for its host.
    TQueueResult QueuePage(const std::string& url, EngineCode engineCode);
    TQueueResult QueueCheck(const std::string& url);

    void StartChecks(); // every 200 ms
    void StartPages();  // every 500 ms
    void ReapPages();   // every 100 ms
    void ReapChecks();  // every 100 ms
    void Pass();        // reaps both kinds, then starts checks, then pages
    void GetPage(const std::string& url, EngineCode engineCode);
    void CheckLink(const std::string& url);

    // Marks the client's request finished; a page's bytes are released.
    void MarkFinished(const THttpCli* client);
    // The bytes a running page fetch has received; throws for another client.
    std::string_view PageBody(const THttpCli* client) const;
    // What the page of a running page fetch is for; throws for another client.
    EngineCode PageCode(const THttpCli* client) const;
    // Empties both queues (held lines too) and marks every running request finished.
    void Abort();

    const std::vector<TRunningRequest>& Pages() const { return FPages; }
    const std::vector<TRunningRequest>& Checks() const { return FChecks; }
    TWorkCounts Counts() const;

    // Another request of a kind may start while no more than limit are held,
    // so limit + 1 run at most: the limits of the connection profiles were
    // always read that way, and their figures are kept as they were.
    static bool RoomToStart(size_t held, int limit) { return static_cast<int>(held) <= limit; }

private:
    bool Active() const;
    void Soon();
    bool HostHasRoom(const std::string& host) const;
    // The next line to start: the earliest held line whose host has room,
    // else the queue's first whose host has room; lines before it are held.
    bool NextLine(TIndexedList& queue, THeldLines& held, std::string& line);
    void ReapTick(std::vector<TRunningRequest>& requests, TRequestKind kind,
                  const std::function<void(THttpCli*)>& onReaped = {});

    TConnectionProfile FProfile;
    THeldLines FHeldPages{TIndexedList::KeyKind::BeforeTab};
    THeldLines FHeldChecks{TIndexedList::KeyKind::WholeLine};
    std::vector<TRunningRequest> FPages;
    std::vector<TRunningRequest> FChecks;
};
