#pragma once
#include "extract/ExtractPage.h"

#include <string>

// The href value of a tag (or line), made absolute, when it is a relative
// link naming ".htm", ".html" or ".jpg"; empty otherwise. Only href="..."
// is read; without it the value is taken five characters in.
std::string Find_HREF_param(TExtractPage& page, TSpan tag);

// The src value of a tag (or line), cut after its first ".jpg" and made
// absolute; absolute values are taken as they are.
std::string Find_IMG_SRC_param(TExtractPage& page, TSpan tag);
