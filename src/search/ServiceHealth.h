#pragma once
#include "search/Services.h"
#include "search/Sources.h"

#include <array>
#include <cstdint>
#include <string>

// How one service answers during a search: its result pages fetched, the
// links read from them (pages and pictures handed on) and what went wrong
// with its latest result page, if anything.
struct TServiceHealth {
    uint64_t Pages = 0;
    uint64_t Links = 0;
    std::string Warning; // empty while the service answers as expected
};

using THealth = std::array<TServiceHealth, ServiceCount>;
// The live sources' health, in Sources order.
using TSourceHealth = std::array<TServiceHealth, SourceCount>;

// The warning of a result page that arrived with none of its markers.
extern const char* const FormatChangedWarning;
// The name the start page of a search of an http:// phrase is shown under.
extern const char* const StartPageName;

// "ScourNet: 3 pages, 9 links", with " - " and the warning after it.
std::string ServiceHealthText(const std::string& name, const TServiceHealth& health);
// The four services' texts on one line, in search order, joined by " | ".
std::string HealthLine(const THealth& health);
