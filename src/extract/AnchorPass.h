#pragma once
#include "core/SearchSink.h"
#include "extract/ExtractPage.h"

// The anchor pass over the whole page as one text (its lines joined with
// nothing between them, which TPageText already is).
void HtmlPageToOneLine(TExtractPage& page, TSearchSink& sink);

// Walks the anchors of the text: an anchor runs from the first "<a" through
// the character after the first "/a"; each step drops the text through the
// first "</a" (or two characters when there is none). Anchors holding ".jpg"
// are checked.
void EvaluateLinesForATags(TExtractPage& page, TSearchSink& sink);
