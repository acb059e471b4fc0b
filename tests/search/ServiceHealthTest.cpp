#include "search/ServiceHealth.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceHealth, TextOfOneService)
{
    const struct {
        TServiceHealth health;
        const char* text;
    } cases[] = {
        {{}, "HotBot: 0 pages, 0 links"},
        {{1, 1, ""}, "HotBot: 1 page, 1 link"},
        {{3, 12, ""}, "HotBot: 3 pages, 12 links"},
        {{1, 0, FormatChangedWarning},
         "HotBot: 1 page, 0 links - no results read: the page format may have changed"},
        {{0, 0, "can't connect: refused"}, "HotBot: 0 pages, 0 links - can't connect: refused"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServiceHealthText("HotBot", c.health), c.text);
}

// A rate limited source's line counts down from its Retry-After.
TEST(ServiceHealth, ARateLimitedSourceSaysWhenItMayBeAskedAgain)
{
    const auto now = std::chrono::steady_clock::now();
    const struct {
        std::chrono::seconds left;
        const char* text;
    } cases[] = {
        {std::chrono::seconds(3480), "Openverse: 1 page, 6 links - rate limited: try again in 58 min"},
        {std::chrono::seconds(3421), "Openverse: 1 page, 6 links - rate limited: try again in 58 min"},
        {std::chrono::seconds(30), "Openverse: 1 page, 6 links - rate limited: try again in 30 s"},
        {std::chrono::seconds(-1), "Openverse: 1 page, 6 links - rate limited: may be asked again"},
    };
    for (const auto& c : cases) {
        TServiceHealth health{1, 6, RateLimitedWarning};
        health.RetryAt = now + c.left;
        EXPECT_EQ(ServiceHealthText("Openverse", health, now), c.text) << c.left.count();
    }
}

TEST(ServiceHealth, TheLineHoldsTheFourInSearchOrder)
{
    THealth health;
    health[2] = {1, 0, FormatChangedWarning};
    EXPECT_EQ(HealthLine(health), "HotBot: 0 pages, 0 links | Lycos: 0 pages, 0 links | ScourNet: 1 page, 0 links - "
                                  "no results read: the page format may have changed | "
                                  "Lycos Images Direct: 0 pages, 0 links");
}

} // namespace
