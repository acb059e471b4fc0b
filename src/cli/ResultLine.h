#pragma once
#include "core/PictureRecord.h"
#include "core/PictureSize.h"
#include "search/DimensionFilter.h"

#include <optional>
#include <string>

// One found picture as a line of output, with its line break.
// Text: the size or "UNKNOWN", a tab, the URL. Control characters in the URL
// are written as %XX, so that a hostile page cannot add lines of its own.
// JSON: {"url":...,"size":N or null,"width":W or null,"height":H or null,
// "name":...}, the text read as the program's code page (Windows-1252),
// "group":N when a group is given, and the credit a source gives ("title",
// "creator", "licence", "licenceUrl", "page", each only when given).
std::string ResultLine(const std::string& url, TPictureSize size, bool json, TDimensions dimensions = {},
                       std::optional<int> group = std::nullopt, const TPictureRecord* credit = nullptr);
