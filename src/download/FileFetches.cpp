#include "download/FileFetches.h"

#include "download/FetchOutcome.h"
#include "download/PictureFileName.h"
#include "net/StartFetch.h"
#include "platform/TickCount.h"

#include <unistd.h>

void TFileFetches::Start(const std::string& url, TFetchKind kind, std::unique_ptr<TDownloadFile> file)
{
    const auto done = [this](THttpCli* sender, THttpRequest, uint16_t error) { RequestDone(sender, error); };
    auto client = StartFetch(url, ReadProxy ? ReadProxy() : TProxySettings{}, file.get(), done, [&](THttpCli& fetch) {
        if (AgentFor)
            if (std::string agent = AgentFor(url); !agent.empty())
                fetch.Agent = std::move(agent);
    });
    THttpCli* raw = client.get();
    FFetches.emplace(raw, TFetch{std::move(client), std::move(file), GetTickCount(), kind});
}

void TFileFetches::RequestDone(THttpCli* client, uint16_t error)
{
    const auto at = FFetches.find(client);
    if (at != FFetches.end())
        Finish(at, FetchFailed(client->StatusCode(), error), false);
}

void TFileFetches::CutOverdue(uint32_t timeout)
{
    for (auto at = FFetches.begin(); at != FFetches.end();) {
        const auto next = std::next(at);
        // Read afresh: a fetch started by OnDone during this pass is younger than any earlier reading.
        if (GetTickCount() - at->second.StartTick > timeout)
            Finish(at, true, true);
        at = next;
    }
}

void TFileFetches::Finish(std::map<THttpCli*, TFetch>::iterator at, bool failed, bool timedOut)
{
    const THttpCli* client = at->first;
    TResult result;
    result.Url = client->URL;
    result.Kind = at->second.Kind;
    result.Failed = failed;
    result.TimedOut = timedOut;
    result.FileName = PictureFileName(client->URL);
    result.Path = at->second.File->FileName();
    result.TlsFailure = client->TlsFailure();
    if (result.Failed)
        ::unlink(result.Path.c_str()); // still locked: no other fetch has opened it meanwhile
    FFetches.erase(at); // closes the file and frees the client, inside its own event
    if (OnDone)
        OnDone(result);
}
