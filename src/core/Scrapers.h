#pragma once
#include "core/SearchSink.h"
#include <string>
#include <vector>

// Scrapers of the four services' result pages, one line at a time. Each
// logs its line on failure and stops there; what it handed on stays. Each
// returns whether any of its markers occurred (up to a failure): a page
// without one is not in the format the scraper reads.

// Result web pages (code 99) from every "target=" value.
bool ExractDataFromHotBot(const std::vector<std::string>& lines, TSearchSink& sink);
// Result web pages (code 99), the first result link of a line.
bool ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink);
// Pictures, and the first next-page link of the page (code 4).
bool ExractDataFromLycosImagesDirect(const std::vector<std::string>& lines, TSearchSink& sink);
// Pictures, and a next page (code 1) for every navigation line.
bool ExractDataFromScourNet(const std::vector<std::string>& lines, TSearchSink& sink);
