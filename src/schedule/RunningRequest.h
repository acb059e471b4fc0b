#pragma once
#include "core/EngineCode.h"
#include "net/MemoryStream.h"

#include <cstdint>
#include <memory>
#include <string>

class THttpCli;

// Freeing a running request's client ends its transfer first, so that no
// event of it arrives afterwards.
struct TAbortAndFree {
    void operator()(THttpCli* client) const;
};

// One running page fetch or link check. The record owns its client and the
// buffer the client fills; dropping the record aborts and frees the client,
// then the buffer.
struct TRunningRequest {
    std::unique_ptr<TMemoryStream> Body; // page fetches only
    EngineCode Code = ecListedPage;      // page fetches only: what to do with the page
    std::unique_ptr<THttpCli, TAbortAndFree> Client;
    uint32_t StartTick = 0;
    std::string Host; // HostKey of the URL it started with
    bool Finished = false;
};

enum class TRequestKind { PageFetch, LinkCheck };

// A request that ran too long: it is finished, but still held until reaped.
struct TTimedOut {
    TRequestKind Kind;
    std::string Url;
};
