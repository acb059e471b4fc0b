#pragma once
#include "core/SearchSink.h"

#include <string>
#include <vector>

// The extractor as the plain edit loops it is described by: 1-based
// positions, delete-from-the-front, lower-casing the remaining text at every
// step. Slow on purpose; the fast extractor must give the same sink calls.
namespace Literal {

std::string AnalyzePath(std::string link, const std::string& origin);
void StartExtractLoop(const std::vector<std::string>& lines, const std::string& origin, TSearchSink& sink);
void CheckNewPageForSrc(const std::vector<std::string>& lines, const std::string& origin, TSearchSink& sink);

}
