#pragma once
#include "core/SearchSink.h"
#include "extract/ExtractPage.h"
#include "extract/TagLinks.h"

#include <cstddef>

// The links of one anchor or line: with "href", a thumbnail (also "src" and
// "img") or a plain link; without it, a picture ("src" and "img").
TTagLinks ReadTagLinks(TExtractPage& page, TSpan tag);

// Reads the tag and delivers what it yields, `times` times over (an anchor
// met again and again yields the same each time).
void Check_IMG_and_SRC_and_HREF(TExtractPage& page, TSpan tag, TSearchSink& sink, size_t times = 1);
