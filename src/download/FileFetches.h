#pragma once
#include "download/DownloadFile.h"
#include "net/HttpCli.h"
#include "net/ProxySettings.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// Fetches of pictures to disk (downloads, the viewer, the slide show). They
// run beside the search's requests: no limit on how many, no time-out, and
// aborting a search leaves them alone. Each owns its client and its file
// until it completes; both are freed before OnDone is told. A fetch that
// failed leaves no file: what arrived is not the picture (an error page, or
// a picture cut short by a broken connection or a full disk).
class TFileFetches {
public:
    struct TResult {
        std::string Url;
        int Kind = 0;
        bool Failed = false;
        std::string FileName; // the URL's text after its last "/"
        std::string Path;     // the file written
        std::string TlsFailure; // why TLS failed, or the body came cut short over TLS
    };
    std::function<void(const TResult&)> OnDone;
    // Asked at every start: the proxies the fetch goes through.
    std::function<TProxySettings()> ReadProxy;

    TFileFetches() = default;
    ~TFileFetches() = default; // frees running fetches without telling anyone
    TFileFetches(const TFileFetches&) = delete;
    TFileFetches& operator=(const TFileFetches&) = delete;

    // Starts a GET of url into file and returns at once; kind is handed
    // back in the result. Raises when the request cannot start.
    void Start(const std::string& url, int kind, std::unique_ptr<TDownloadFile> file);
    size_t Running() const { return FFetches.size(); }

private:
    struct TFetch {
        std::unique_ptr<THttpCli> Client;
        std::unique_ptr<TDownloadFile> File;
    };
    void RequestDone(THttpCli* client, uint16_t error);

    std::map<THttpCli*, TFetch> FFetches;
};
