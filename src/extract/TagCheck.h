#pragma once
#include "core/SearchSink.h"
#include "extract/ExtractPage.h"
#include "extract/TagLinks.h"
#include "extract/TagWords.h"

#include <cstdint>

// The links of one anchor or line holding ".jpg", given the words it holds:
// with "href", a thumbnail (also "src" and "img") or a plain link; without
// it, a picture ("src" and "img"). `links` is a buffer the caller reuses.
void ReadTagLinks(TExtractPage& page, TSpan tag, const TTagWords& words, TTagLinks& links);

// Reads the tag and delivers what it yields, `times` times over (an anchor
// met again and again yields the same each time). Returns whether the tag
// was read, and what it yielded in `links`.
bool Check_IMG_and_SRC_and_HREF(TExtractPage& page, TSpan tag, const TTagWords& words, TSearchSink& sink,
                                TTagLinks& links, uint64_t times = 1);
