#pragma once
#include "search/DimensionFilter.h"

#include <cstdint>
#include <string>

// One found picture as a line of output, with its line break. size > 0 is
// the checked size in bytes; 0 or less means it is not known.
// Text: the size or "UNKNOWN", a tab, the URL. Control characters in the URL
// are written as %XX, so that a hostile page cannot add lines of its own.
// JSON: {"url":...,"size":N or null,"width":W or null,"height":H or null,
// "name":...}, the text read as the program's code page (Windows-1252).
std::string ResultLine(const std::string& url, int64_t size, bool json, TDimensions dimensions = {});
