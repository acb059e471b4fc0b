#include "cli/HealthReport.h"

#include <algorithm>

std::string HealthReport(const TSearchHealth& Health)
{
    std::string text;
    if (Health.StartPage)
        text += ServiceHealthText(StartPageName, *Health.StartPage) + "\n";
    else
        for (int i = 0; i < ServiceCount; ++i)
            text += ServiceHealthText(Services[i].Name, Health.Services[i]) + "\n";
    for (int i = 0; i < SourceCount; ++i)
        if (Health.SourcesOn[i])
            text += ServiceHealthText(Sources[i].Name, Health.Sources[i]) + "\n";
    return text;
}

bool NothingReached(const TSearchHealth& Health)
{
    const auto failed = [](const TServiceHealth& h) { return !h.Warning.empty() && h.Warning != FormatChangedWarning; };
    for (int i = 0; i < SourceCount; ++i)
        if (Health.SourcesOn[i] && Health.Sources[i].Pages > 0)
            return false;
    return Health.StartPage ? failed(*Health.StartPage)
                            : std::all_of(Health.Services.begin(), Health.Services.end(), failed);
}
