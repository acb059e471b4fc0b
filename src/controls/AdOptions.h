#pragma once
#include <cstdint>
#include <set>

enum class TAdOption { adoNoConnect, adoNoDialOnDemand, adoDelayedStartup, adoAll };
using TAdOptionSet = std::set<TAdOption>;

// The option word handed to the library: bits 1, 2 and 4 for the first
// three options, all 32 bits when adoAll is in the set.
uint32_t AdOptionWord(const TAdOptionSet& options);
// The options whose bits are set, plus adoAll when all bits are.
TAdOptionSet AdOptionsFromWord(uint32_t word);
