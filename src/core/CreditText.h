#pragma once
#include "core/PictureRecord.h"

#include <string>

// How a source's credit for a picture reads; each part the source leaves
// out is left out, and an empty text means it gave none.
// One line to paste beside a picture used elsewhere:
//   "Title" by Creator, CC BY 4.0 (https://licence), https://page
std::string AttributionLine(const TPictureRecord& record);
// The list's short form: the licence and the creator.
std::string CreditColumn(const TPictureRecord& record);
