#pragma once
#include "download/DownloadFile.h"
#include "download/FetchKind.h"
#include "net/HttpCli.h"
#include "net/ProxySettings.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// Fetches of pictures to disk (downloads, the viewer, the slide show). They
// run beside the search's requests: no limit on how many, no time-out unless
// the owner cuts overdue ones, and aborting a search leaves them alone. Each owns its client and its file
// until it completes; both are freed before OnDone is told. A fetch that
// failed leaves no file: what arrived is not the picture (an error page, or
// a picture cut short by a broken connection or a full disk).
class TFileFetches {
public:
    struct TResult {
        std::string Url;
        TFetchKind Kind = TFetchKind::SlideShow;
        bool Failed = false;
        std::string FileName; // PictureFileName of the URL
        std::string Path;     // the file written
        bool TimedOut = false; // cut by CutOverdue (Failed too)
        std::string TlsFailure; // why TLS failed, or the body came cut short over TLS
    };
    std::function<void(const TResult&)> OnDone;
    // Asked at every start: the proxies the fetch goes through.
    std::function<TProxySettings()> ReadProxy;
    // Asked at every start: the agent the request for url sends; empty
    // keeps the client's own.
    std::function<std::string(const std::string& url)> AgentFor;

    TFileFetches() = default;
    ~TFileFetches() = default; // frees running fetches without telling anyone
    TFileFetches(const TFileFetches&) = delete;
    TFileFetches& operator=(const TFileFetches&) = delete;

    // Starts a GET of url into file and returns at once; kind is handed
    // back in the result. Raises when the request cannot start.
    void Start(const std::string& url, TFetchKind kind, std::unique_ptr<TDownloadFile> file);
    size_t Running() const { return FFetches.size(); }
    // Ends, as failed and timed out, every fetch started more than timeout
    // ms ago by the tick count. Only an owner that bounds its fetches calls it.
    void CutOverdue(uint32_t timeout);

private:
    struct TFetch {
        std::unique_ptr<THttpCli> Client;
        std::unique_ptr<TDownloadFile> File;
        uint32_t StartTick = 0;
        TFetchKind Kind = TFetchKind::SlideShow;
    };
    void RequestDone(THttpCli* client, uint16_t error);
    void Finish(std::map<THttpCli*, TFetch>::iterator at, bool failed, bool timedOut);

    std::map<THttpCli*, TFetch> FFetches;
};
