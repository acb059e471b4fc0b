#pragma once
#include "core/SearchSink.h"
#include "extract/ExtractPage.h"

// The quoted-link pass: every line holding ".jpg", unless it holds all of
// "src", "img" and "href", goes to CutJPGLinksFromLine.
void LoopForJPG(TExtractPage& page, TSearchSink& sink);

// Takes each ".jpg" of the line with the text back to the nearest double
// quote before it, absolute links included. A ".jpg" with no double quote
// before it (after the previous one) gives no link. Fails silently.
void CutJPGLinksFromLine(TExtractPage& page, TSpan line, TSearchSink& sink);
