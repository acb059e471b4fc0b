#pragma once
#include "core/SearchSink.h"

#include <string>

// What one anchor or line yields: a picture candidate for the gate, and the
// page behind a thumbnail, fetched when recursive search is on.
struct TTagLinks {
    std::string Picture;
    std::string PageToFollow;
};

// Queues the page to follow (recursive search only), then passes the picture
// through the gate.
void DeliverTagLinks(const TTagLinks& links, TSearchSink& sink);
