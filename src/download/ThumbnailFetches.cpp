#include "download/ThumbnailFetches.h"

#include "download/FetchOutcome.h"
#include "download/Thumbnail.h"

#include <algorithm>
#include <string_view>

namespace {
// More wanted than this are rows long gone from the screen.
constexpr size_t MaxWanted = 256;
}

bool TThumbnailFetches::IsRunning(const std::string& url) const
{
    return std::any_of(FRunning.begin(), FRunning.end(), [&](const auto& f) { return f.second.Url == url; });
}

void TThumbnailFetches::Want(const std::string& url)
{
    if (IsRunning(url))
        return;
    const auto at = std::find(FWanted.begin(), FWanted.end(), url);
    if (at != FWanted.end())
        FWanted.erase(at);
    FWanted.push_front(url);
    if (FWanted.size() > MaxWanted)
        FWanted.pop_back();
    StartMore();
}

void TThumbnailFetches::ForgetWanted() { FWanted.clear(); }

void TThumbnailFetches::Clear()
{
    FWanted.clear();
    FRunning.clear(); // aborts and frees each client; no event follows
}

void TThumbnailFetches::StartMore()
{
    while (static_cast<int>(FRunning.size()) < MaxRunning && !FWanted.empty()) {
        const std::string url = FWanted.front();
        FWanted.pop_front();
        auto client = std::make_unique<THttpCli>();
        auto body = std::make_unique<TMemoryStream>(MaxPictureBytes);
        THttpCli* raw = client.get();
        const std::string address = AddressOf ? AddressOf(url) : std::string();
        raw->URL = address.empty() ? url : address;
        if (ReadProxy)
            ApplyProxySettings(ReadProxy(), *raw);
        if (AgentFor)
            if (std::string agent = AgentFor(url); !agent.empty())
                raw->Agent = std::move(agent);
        raw->DocStream = body.get();
        raw->OnRequestDone = [this](THttpCli* sender, THttpRequest, uint16_t error) { RequestDone(sender, error); };
        FRunning.emplace(raw, TFetch{url, std::move(client), std::move(body)});
        try {
            raw->GetAsync();
        } catch (...) {
            FRunning.erase(raw);
            FCache.Put(url, {});
            if (OnReady)
                OnReady(url);
        }
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
    StartMore();
}
