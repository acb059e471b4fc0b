#pragma once
#include "search/Services.h"
#include <vector>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// How one service answers during a search: its result pages fetched, the
// links read from them (pages and pictures handed on) and what went wrong
// with its latest result page, if anything.
struct TServiceHealth {
    uint64_t Pages = 0;
    uint64_t Links = 0;
    std::string Warning; // empty while the service answers as expected
    // A source that asked to be left alone (RateLimitedWarning): until when.
    std::optional<std::chrono::steady_clock::time_point> RetryAt;
};

using THealth = std::array<TServiceHealth, ServiceCount>;
// The live sources' health, in the order of the engine's source list.
using TSourceHealth = std::vector<TServiceHealth>;

// The warning of a result page that arrived with none of its markers.
extern const char* const FormatChangedWarning;
// The warning of a source that answered 429 or 503 with Retry-After.
extern const char* const RateLimitedWarning;
// The name the start page of a search of an http:// phrase is shown under.
extern const char* const StartPageName;

// "ScourNet: 3 pages, 9 links", with " - " and the warning after it; a rate
// limited source's with the time left ("rate limited: try again in 58 min").
std::string ServiceHealthText(const std::string& name, const TServiceHealth& health,
                              std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());
// The four services' texts on one line, in search order, joined by " | ".
std::string HealthLine(const THealth& health);
