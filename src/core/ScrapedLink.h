#pragma once
#include "core/SearchSink.h"
#include <string>
#include <string_view>

// A link cut from a result page with its percent escapes decoded.
std::string DecodedLink(std::string_view value);

// Routes a picture link cut from a result page; an empty cut (a marker
// without a link after it) is no picture and goes nowhere.
void RouteScrapedPicture(TSearchSink& sink, std::string_view value);
