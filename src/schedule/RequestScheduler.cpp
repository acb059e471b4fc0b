#include "schedule/RequestScheduler.h"

#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/StartFetch.h"
#include "platform/CatchAll.h"
#include "platform/ErrorLog.h"
#include "platform/TickCount.h"
#include "schedule/HostKey.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

// A request that started now; its record takes over the client (only now:
// a client whose start failed is freed without an abort).
TRunningRequest Started(std::unique_ptr<THttpCli> client, std::unique_ptr<TMemoryStream> body)
{
    TRunningRequest request;
    request.Body = std::move(body);
    request.Client.reset(client.release());
    request.StartTick = GetTickCount();
    request.Host = HostKey(request.Client->URL);
    return request;
}

// The request of the client, or null.
template <class Requests>
auto FindClient(Requests& requests, const THttpCli* client) -> decltype(requests.data())
{
    const auto at = std::find_if(requests.begin(), requests.end(),
                                 [&](const TRunningRequest& r) { return r.Client.get() == client; });
    return at == requests.end() ? nullptr : &*at;
}

} // namespace

TRequestScheduler::~TRequestScheduler() = default;

bool TRequestScheduler::Active() const { return SearchActive && SearchActive(); }

void TRequestScheduler::UseProfile(const TConnectionProfile& profile)
{
    FProfile = profile;
    GetPageClientLimit = profile.GetPageClientLimit;
    CheckLinkClientLimit = profile.CheckLinkClientLimit;
}

void TRequestScheduler::Soon()
{
    if (FProfile.StartWhenFree && RunSoon)
        RunSoon();
}

TQueueResult TRequestScheduler::QueuePage(const std::string& url, EngineCode engineCode)
{
    if (!FHeldPages.empty() && FHeldPages.ContainsKey(HostKey(url), url))
        return TQueueResult::Repeat;
    const TQueueResult result = AppendPageFetch(GetPageQueue, url, engineCode);
    if (result == TQueueResult::Queued)
        Soon();
    return result;
}

TQueueResult TRequestScheduler::QueueCheck(const std::string& url)
{
    if (!FHeldChecks.empty() && FHeldChecks.ContainsKey(HostKey(url), url))
        return TQueueResult::Repeat;
    const TQueueResult result = AppendLinkCheck(CheckLinkQueue, url);
    if (result == TQueueResult::Queued)
        Soon();
    return result;
}

bool TRequestScheduler::HostHasRoom(const std::string& host) const
{
    int held = 0;
    for (const auto* requests : {&FPages, &FChecks})
        for (const TRunningRequest& request : *requests)
            held += request.Host == host ? 1 : 0;
    return held < FProfile.PerHostCap;
}

bool TRequestScheduler::NextLine(TIndexedList& queue, THeldLines& held, std::string& line)
{
    if (FProfile.PerHostCap <= 0 || !Active()) {
        if (queue.empty())
            return false;
        line = queue.front();
        queue.RemoveFirst();
        return true;
    }
    const auto hasRoom = [this](const std::string& host) { return HostHasRoom(host); };
    if (held.TakeFirst(hasRoom, line))
        return true;
    while (!queue.empty()) {
        line = queue.front();
        queue.RemoveFirst();
        const std::string host = HostKey(TextBeforeTab(line));
        if (HostHasRoom(host))
            return true;
        held.Hold(host, line);
    }
    return false;
}

void TRequestScheduler::StartChecks()
{
    std::string url;
    for (int i = 0; i < FProfile.StartsPerTick && RoomToStart(FChecks.size(), CheckLinkClientLimit); ++i) {
        if (!NextLine(CheckLinkQueue, FHeldChecks, url))
            return;
        CheckLink(url);
    }
}

void TRequestScheduler::StartPages()
{
    std::string line;
    for (int i = 0; i < FProfile.StartsPerTick && RoomToStart(FPages.size(), GetPageClientLimit); ++i) {
        if (!NextLine(GetPageQueue, FHeldPages, line))
            return;
        GetPage(TextBeforeTab(line), static_cast<EngineCode>(std::atoi(TextAfterTab(line).c_str())));
    }
}

// Checks go first: they end work, where pages make more of it, so the
// queues stay short when one host's cap holds both.
void TRequestScheduler::Pass()
{
    ReapPages();
    ReapChecks();
    StartChecks();
    StartPages();
}

void TRequestScheduler::CheckLink(const std::string& url)
{
    CatchAll("error code : #0002 (CheckLink)", [&] {
        if (!Active())
            return;
        auto client = StartFetch(url, Proxy, nullptr, {}, [this](THttpCli& check) {
            check.OnHeaderEnd = [this](THttpCli* sender) {
                if (OnCheckHeaderEnd)
                    OnCheckHeaderEnd(sender);
            };
            if (OnCheckStart)
                OnCheckStart(check);
        });
        FChecks.push_back(Started(std::move(client), nullptr));
    });
}

void TRequestScheduler::GetPage(const std::string& url, EngineCode engineCode)
{
    CatchAll("error code : #0038 (GetPage)", [&] {
        if (!Active())
            return;
        auto body = std::make_unique<TMemoryStream>(PageSizeLimit);
        const auto done = [this](THttpCli* sender, THttpRequest, uint16_t) {
            if (OnPageDone)
                OnPageDone(sender);
        };
        auto client = StartFetch(url, Proxy, body.get(), done, [&](THttpCli& page) {
            if (OnPageStart)
                OnPageStart(page, engineCode);
        });
        FPages.push_back(Started(std::move(client), std::move(body)));
        FPages.back().Code = engineCode;
    });
}

void TRequestScheduler::MarkFinished(const THttpCli* client)
{
    // Found by its client: two fetches of one URL each mark their own.
    TRunningRequest* request = FindClient(FPages, client);
    if (!request)
        request = FindClient(FChecks, client);
    if (!request)
        return;
    request->Finished = true;
    if (request->Body)
        request->Body->Clear(); // read: its bytes need not wait for the reaper
    Soon();
}

std::string_view TRequestScheduler::PageBody(const THttpCli* client) const
{
    const TRunningRequest* page = FindClient(FPages, client);
    if (!page)
        throw std::out_of_range("not a running page fetch");
    return {page->Body->Data(), static_cast<size_t>(page->Body->Size())};
}

EngineCode TRequestScheduler::PageCode(const THttpCli* client) const
{
    const TRunningRequest* page = FindClient(FPages, client);
    if (!page)
        throw std::out_of_range("not a running page fetch");
    return page->Code;
}

TWorkCounts TRequestScheduler::Counts() const
{
    const auto running = [](const std::vector<TRunningRequest>& requests) {
        return static_cast<size_t>(
            std::count_if(requests.begin(), requests.end(), [](const TRunningRequest& r) { return !r.Finished; }));
    };
    return {GetPageQueue.size() + FHeldPages.size(), CheckLinkQueue.size() + FHeldChecks.size(), FPages.size(),
            FChecks.size(), running(FPages), running(FChecks)};
}

void TRequestScheduler::Abort()
{
    CheckLinkQueue.Clear();
    GetPageQueue.Clear();
    FHeldChecks.Clear();
    FHeldPages.Clear();
    for (auto* requests : {&FPages, &FChecks})
        for (TRunningRequest& request : *requests)
            request.Finished = true;
    Soon();
}

void TRequestScheduler::ReapTick(std::vector<TRunningRequest>& requests, TRequestKind kind,
                                 const std::function<void(THttpCli*)>& onReaped)
{
    for (size_t i = 0; i < requests.size();) {
        TRunningRequest& request = requests[i];
        if (!request.Finished && Active()) {
            if (static_cast<uint32_t>(GetTickCount() - request.StartTick) > RequestTimeout) {
                if (request.Client->TlsHandshaking())
                    ErrorLog::Append("TLS: " + request.Client->URL + " - " + TlsHandshakeTimeOut);
                if (OnTimedOut)
                    OnTimedOut({kind, request.Client->URL});
                request.Finished = true;
                Soon();
            }
            ++i;
            continue;
        }
        if (onReaped)
            onReaped(request.Client.get());
        {
            const TRunningRequest reaped = std::move(request); // aborted and freed at the block's end
            requests.erase(requests.begin() + static_cast<long>(i));
        }
        if (!FProfile.ReapEveryFinished)
            return;
    }
}

void TRequestScheduler::ReapPages()
{
    CatchAll("error code : #1001 (Timer3 (getpage)", [&] { ReapTick(FPages, TRequestKind::PageFetch); });
}

void TRequestScheduler::ReapChecks()
{
    CatchAll("error code : #1002 (Timer4 (checklink)", [&] { ReapTick(FChecks, TRequestKind::LinkCheck, OnCheckReaped); });
}
