#include "cli/HealthReport.h"

std::string HealthReport(const TSearchHealth& Health)
{
    std::string text;
    if (Health.StartPage)
        text += ServiceHealthText(StartPageName, *Health.StartPage) + "\n";
    else
        for (int i = 0; i < ServiceCount; ++i)
            if (Health.ServicesAsked[i])
                text += ServiceHealthText(Services[i].Name, Health.Services[i]) + "\n";
    for (size_t i = 0; i < Health.SourcesOn.size(); ++i)
        if (Health.SourcesOn[i])
            text += ServiceHealthText(Health.SourceNames[i], Health.Sources[i]) + "\n";
    return text;
}

bool NothingReached(const TSearchHealth& Health)
{
    const auto failed = [](const TServiceHealth& h) { return !h.Warning.empty() && h.Warning != FormatChangedWarning; };
    for (size_t i = 0; i < Health.SourcesOn.size(); ++i)
        if (Health.SourcesOn[i] && Health.Sources[i].Pages > 0)
            return false;
    if (Health.StartPage)
        return failed(*Health.StartPage);
    for (int i = 0; i < ServiceCount; ++i)
        if (Health.ServicesAsked[i] && !failed(Health.Services[i]))
            return false;
    return true;
}
