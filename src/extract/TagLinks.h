#pragma once
#include "core/SearchSink.h"

#include <cstdint>
#include <string>

// What one anchor or line yields: a picture link (one that passes the gate's
// text test, else empty), and the page behind a thumbnail, fetched when
// recursive search is on.
struct TTagLinks {
    std::string Picture;
    std::string PageToFollow;

    void Clear()
    {
        Picture.clear();
        PageToFollow.clear();
    }
};

// Queues the page to follow (recursive search only), then offers the picture
// to the rest of the gate; `times` times over, each queue taking its repeats
// at once (the two queues do not meet, so their calls need not alternate).
void DeliverTagLinks(const TTagLinks& links, TSearchSink& sink, uint64_t times = 1);
