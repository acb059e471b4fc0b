#pragma once
#include "download/ThumbnailCache.h"
#include "download/WaitingLine.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "net/ProxySettings.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// Fetches the thumbnails that a view asks for while it draws, a few at a
// time, with the program's own HTTP client; each result (a thumbnail or a
// failure) goes into the cache and is told through OnReady. Nothing here
// waits: a view asks and draws what the cache holds.
class TThumbnailFetches {
public:
    static constexpr int DefaultMaxRunning = 4;
    // A body larger than this is no picture worth a thumbnail.
    static constexpr int64_t MaxPictureBytes = 32 * 1024 * 1024;

    explicit TThumbnailFetches(TThumbnailCache& cache);
    ~TThumbnailFetches() = default; // frees running fetches without telling anyone
    TThumbnailFetches(const TThumbnailFetches&) = delete;
    TThumbnailFetches& operator=(const TThumbnailFetches&) = delete;

    int Side = 128; // pixels of a thumbnail's longer side
    std::function<TProxySettings()> ReadProxy;
    std::function<void(const std::string& url)> OnReady;
    // Asked at every start: what to fetch for a picture (a thumbnail its
    // source serves, or empty for the picture itself) and the agent to send
    // (empty: the client's own).
    std::function<std::string(const std::string& url)> AddressOf;
    std::function<std::string(const std::string& url)> AgentFor;
    // Before OnReady, for a thumbnail made: its look-alike hash, taken from
    // the same decode, and the picture's pixels (width times height from its
    // header; 0 when it tells none).
    std::function<void(const std::string& url, uint64_t hash, int64_t pixels)> OnHashed;

    // A drawn row's picture is not in the cache: fetch it soon (the latest
    // asked first). Asking again for one waiting or running changes nothing
    // but its turn.
    void Want(const std::string& url);
    // The view moved: what it asked for before is no longer on screen.
    // Running fetches go on; the rows drawn next ask again.
    void ForgetWanted();
    // A new search: every fetch ends, untold.
    void Clear();

    size_t Running() const { return FRunning.size(); }
    size_t Waiting() const { return FWanted.Waiting.size(); }
    // How many fetches run at once at most (4 unless set).
    size_t MaxRunning() const { return FWanted.Limit; }
    void SetMaxRunning(size_t limit) { FWanted.Limit = limit; }

private:
    struct TFetch {
        std::string Url;
        std::unique_ptr<THttpCli> Client;
        std::unique_ptr<TMemoryStream> Body;
    };
    void Start(const std::string& url);
    void RequestDone(THttpCli* client, uint16_t error);
    bool IsRunning(const std::string& url) const;

    TThumbnailCache& FCache;
    std::map<THttpCli*, TFetch> FRunning;
    TWaitingLine<std::string> FWanted; // the latest first
};
