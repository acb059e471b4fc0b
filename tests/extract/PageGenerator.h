#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Pages for the extractor's tests and benchmark, the same for the same seed.
namespace PageGenerator {

// Ordinary gallery HTML: thumbnails, pictures, page links, text, in lines.
std::string Gallery(uint32_t seed, size_t bytes);
// The gallery with every line break taken out.
std::string OneLine(uint32_t seed, size_t bytes);
// Thousands of double quotes that never close.
std::string UnmatchedQuotes(uint32_t seed, size_t bytes);
// Thousands of "<a" without "</a", with "/a" here and there.
std::string UnclosedAnchors(uint32_t seed, size_t bytes);
// Random runs of the extractor's markers, quotes, slashes and breaks.
std::string RandomMarkup(uint32_t seed, size_t bytes);

}
