#include "search/ServiceHealth.h"

#include "core/RetryAfter.h"

const char* const FormatChangedWarning = "no results read: the page format may have changed";
const char* const StartPageName = "Start page";
const char* const RateLimitedWarning = "rate limited";

namespace {
std::string Count(uint64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}

std::string ServiceHealthText(const std::string& name, const TServiceHealth& health,
                              std::chrono::steady_clock::time_point now)
{
    std::string text = name + ": " + Count(health.Pages, "page", "pages") + ", " + Count(health.Links, "link", "links");
    if (!health.Warning.empty())
        text += " - " + health.Warning;
    if (health.RetryAt) {
        const auto left = std::chrono::ceil<std::chrono::seconds>(*health.RetryAt - now).count();
        text += left > 0 ? ": try again in " + RetryAfter::WaitText(left) : ": may be asked again";
    }
    return text;
}

std::string HealthLine(const THealth& health)
{
    std::string line;
    for (int i = 0; i < ServiceCount; ++i)
        line += (i == 0 ? "" : " | ") + ServiceHealthText(Services[i].Name, health[i]);
    return line;
}
