#pragma once
#include "core/EngineCode.h"

#include <array>
#include <string>

// The four search services in the order a search queries them. Lycos and
// Lycos Images Direct share the Lycos host.
struct TService {
    const char* Name;
    const char* ShortName; // on the command line
    ::EngineCode EngineCode;
    const char* BaseKey;     // the settings key of its base address
    const char* DefaultBase; // when the settings hold none
    const char* Query;       // appended to the base address, then the query text
};

constexpr int ServiceCount = 4;
extern const std::array<TService, ServiceCount> Services;

// The service's place in Services, or -1 for a page that is no result page.
int ServiceIndex(EngineCode engineCode);
