#pragma once
#include "extract/ExtractPage.h"
#include "extract/TagLinks.h"

// A picture inside a link: the full-size picture when the link names a
// ".jpg", the thumbnail itself when the link has no extension (or was
// refused), nothing otherwise; a link to ".html" or ".htm" is the page to
// follow. The caller delivers both (DeliverTagLinks). `links` is a buffer
// the caller reuses.
void CheckHrefForThumbsAndNewPage(TExtractPage& page, TSpan tag, TTagLinks& links);
