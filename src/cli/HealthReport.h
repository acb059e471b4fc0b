#pragma once
#include "search/ServiceHealth.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// How the services, the start page and the live sources answered a search.
struct TSearchHealth {
    std::optional<TServiceHealth> StartPage; // a search of one page asks no service
    THealth Services;
    std::array<bool, ServiceCount> ServicesAsked{true, true, true, true};
    std::vector<std::string> SourceNames; // the sources' list, in its order
    std::vector<bool> SourcesOn;
    TSourceHealth Sources;
};

// The lines written on the error output at the end: the start page's, or
// each service's asked, then each source's that was switched on.
std::string HealthReport(const TSearchHealth& Health);
// Nothing reached: the start page, or every service asked, failed on the
// network, and no source answered at all (whatever it said).
bool NothingReached(const TSearchHealth& Health);
