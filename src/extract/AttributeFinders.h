#pragma once
#include "extract/ExtractPage.h"

#include <string>

// Both give their link in a buffer the caller reuses, empty when there is
// none or the finder failed.

// The href value of a tag (or line), made absolute, when it is a relative
// link naming ".htm", ".html" or ".jpg"; empty otherwise. Only href="..."
// is read; without it the value is taken five characters in.
void Find_HREF_param(TExtractPage& page, TSpan tag, std::string& link);

// The src value of a tag (or line), cut after its first ".jpg" and made
// absolute; absolute values are taken as they are.
void Find_IMG_SRC_param(TExtractPage& page, TSpan tag, std::string& link);
