#pragma once
#include "core/SearchSink.h"
#include <string>
#include <vector>

// The scrapers written as the edit loops they are described by, on a copy
// of each line: slow but obviously right. Oracles for differential tests.
namespace Literal {
void ExractDataFromHotBot(const std::vector<std::string>& lines, TSearchSink& sink);
void ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink);
void ExractDataFromLycosImagesDirect(const std::vector<std::string>& lines, TSearchSink& sink);
void ExractDataFromScourNet(const std::vector<std::string>& lines, TSearchSink& sink);
}
