#include "download/FileFetches.h"

#include "download/CreditSidecar.h"
#include "download/FetchOutcome.h"
#include "download/PictureFileName.h"
#include "download/SavedCopy.h"
#include "net/StartFetch.h"
#include "platform/TickCount.h"

#include <ctime>
#include <filesystem>

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
        Finish(at, FetchFailed(client->StatusCode(), error) || BodyCutShort(client->ContentLength(), client->ReceivedBytes()),
               false);
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
    TDownloadFile& file = *at->second.File;
    result.Path = file.Target();
    result.TlsFailure = client->TlsFailure();
    if (!result.Failed) {
        try {
            Keep(file, result);
        } catch (const EStreamError&) {
            result.Failed = true;
        }
    }
    FFetches.erase(at); // closes the file (removing it unless committed) and frees the client, inside its own event
    if (OnDone)
        OnDone(result);
}

void TFileFetches::Keep(TDownloadFile& file, TResult& result)
{
    if (result.Kind != TFetchKind::Download) {
        file.Commit();
        return;
    }
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::absolute(file.Target(), ec);
    const std::string digest = History ? file.Digest() : std::string();
    if (History && SaveOnce && SaveOnce()) {
        result.AlreadySavedAs = FindSavedCopy(*History, target.parent_path().string(), digest, file.Written());
        if (!result.AlreadySavedAs.empty())
            return;
    }
    file.Commit();
    if (History)
        History->Add({digest, file.Written(), result.Url, target.string(), static_cast<int64_t>(std::time(nullptr))});
    if (const TPictureRecord* record = CreditOf ? CreditOf(result.Url) : nullptr; record && HasCredit(*record)) {
        try {
            WriteCreditSidecar(file.Target(), *record);
            result.Sidecar = SidecarPath(file.Target());
        } catch (const EStreamError&) {
            // The picture is saved; only its credit could not be written beside it.
        }
    }
}
