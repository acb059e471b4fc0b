#pragma once
#include "core/PictureRecord.h"

#include <string>
#include <string_view>
#include <vector>

// One answer page of a live source's JSON search API, read by its
// description (DescribedAnswer.h).
struct TSourceAnswer {
    // The answer has the source's format (no hits is a format too).
    bool Read = false;
    // The source's own error text, when it answered with one.
    std::string Error;
    std::vector<TPictureRecord> Pictures; // in the source's order
    // Appended to the search's address (less its paging parameter), it asks
    // for the next page; empty when there is none.
    std::string NextSuffix;
};
