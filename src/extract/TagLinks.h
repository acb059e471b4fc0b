#pragma once
#include "core/SearchSink.h"

#include <string>

// What one anchor or line yields: a picture link (one that passes the gate's
// text test, else empty), and the page behind a thumbnail, fetched when
// recursive search is on.
struct TTagLinks {
    std::string Picture;
    std::string PageToFollow;
};

// Queues the page to follow (recursive search only), then offers the picture
// to the rest of the gate.
void DeliverTagLinks(const TTagLinks& links, TSearchSink& sink);
