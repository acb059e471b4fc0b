#pragma once
#include "core/SearchSink.h"
#include <string>
#include <vector>

// Scrapers of the four services' result pages, one line at a time. Each
// logs its line on failure and stops there; what it handed on stays.

// Result web pages (code 99) from every "target=" value.
void ExractDataFromHotBot(const std::vector<std::string>& lines, TSearchSink& sink);
// Result web pages (code 99), the first result link of a line.
void ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink);
// Pictures, and the first next-page link of the page (code 4).
void ExractDataFromLycosImagesDirect(const std::vector<std::string>& lines, TSearchSink& sink);
// Pictures, and a next page (code 1) for every navigation line.
void ExractDataFromScourNet(const std::vector<std::string>& lines, TSearchSink& sink);
