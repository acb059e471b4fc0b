#include "download/ThumbnailFetches.h"

#include "download/FetchOutcome.h"
#include "download/Thumbnail.h"
#include "net/StartFetch.h"

#include <algorithm>
#include <string_view>

namespace {
// More wanted than this are rows long gone from the screen.
constexpr size_t MaxWanted = 256;
}

TThumbnailFetches::TThumbnailFetches(TThumbnailCache& cache)
    : FCache(cache),
      FWanted(DefaultMaxRunning, [this] { return FRunning.size(); }, [this](const std::string& url) { Start(url); })
{
}

bool TThumbnailFetches::IsRunning(const std::string& url) const
{
    return std::any_of(FRunning.begin(), FRunning.end(), [&](const auto& f) { return f.second.Url == url; });
}

void TThumbnailFetches::Want(const std::string& url)
{
    if (IsRunning(url))
        return;
    std::deque<std::string>& wanted = FWanted.Waiting;
    const auto at = std::find(wanted.begin(), wanted.end(), url);
    if (at != wanted.end())
        wanted.erase(at);
    wanted.push_front(url);
    if (wanted.size() > MaxWanted)
        wanted.pop_back();
    FWanted.StartMore();
}

void TThumbnailFetches::ForgetWanted() { FWanted.Waiting.clear(); }

void TThumbnailFetches::Clear()
{
    FWanted.Waiting.clear();
    FRunning.clear(); // aborts and frees each client; no event follows
}

void TThumbnailFetches::Start(const std::string& url)
{
    const TProxySettings proxy = ReadProxy ? ReadProxy() : TProxySettings{};
    auto body = std::make_unique<TMemoryStream>(MaxPictureBytes);
    const std::string address = AddressOf ? AddressOf(url) : std::string();
    try {
        const auto done = [this](THttpCli* sender, THttpRequest, uint16_t error) { RequestDone(sender, error); };
        auto client = StartFetch(address.empty() ? url : address, proxy, body.get(), done, [&](THttpCli& fetch) {
            if (AgentFor)
                if (std::string agent = AgentFor(url); !agent.empty())
                    fetch.Agent = std::move(agent);
        });
        THttpCli* raw = client.get();
        FRunning.emplace(raw, TFetch{url, std::move(client), std::move(body)});
    } catch (...) {
        FCache.Put(url, {});
        if (OnReady)
            OnReady(url);
    }
}

void TThumbnailFetches::RequestDone(THttpCli* client, uint16_t error)
{
    const auto at = FRunning.find(client);
    if (at == FRunning.end())
        return;
    const std::string url = at->second.Url; // the client's changes when it follows a relocation
    QImage thumbnail;
    if (!FetchFailed(client->StatusCode(), error)) {
        const TMemoryStream& body = *at->second.Body;
        try {
            thumbnail = MakeThumbnail(std::string_view(body.Data(), static_cast<size_t>(body.Size())), Side);
        } catch (const EPictureError&) {
            // Kept as a failure: the view marks it.
        }
    }
    FRunning.erase(at); // frees the client inside its own event
    FCache.Put(url, thumbnail);
    if (OnReady)
        OnReady(url);
    FWanted.StartMore();
}
