#include "core/RetryAfter.h"

#include <gtest/gtest.h>

namespace {

// Sun, 06 Nov 1994 08:49:37 GMT
constexpr std::time_t Now = 784111777;

TEST(RetryAfter, SecondsOrADateBoundedWithADefault)
{
    using namespace RetryAfter;
    const struct {
        const char* value;
        int64_t seconds;
    } cases[] = {
        {"3480", 3480},
        {" 120 ", 120},
        {"0", MinSeconds},
        {"", DefaultSeconds},
        {"soon", DefaultSeconds},
        {"-30", DefaultSeconds},
        {"12.5", DefaultSeconds},
        {"99999999999999999999", MaxSeconds},
        {"31536000", MaxSeconds}, // a year
        {"Sun, 06 Nov 1994 09:47:37 GMT", 3480},
        {"Sunday, 06-Nov-94 08:50:37 GMT", 60},
        {"Sun Nov  6 08:49:47 1994", 10},
        {"Sat, 05 Nov 1994 08:49:37 GMT", MinSeconds}, // already past
        {"Mon, 06 Nov 1995 08:49:37 GMT", MaxSeconds}, // a year ahead
        {"Sun, 06 Nov 1994 09:47:37 CET", DefaultSeconds},
        {"Sun, 31 Foo 1994 09:47:37 GMT", DefaultSeconds},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Seconds(c.value, Now), c.seconds) << '"' << c.value << '"';
}

TEST(RetryAfter, FoundInAnyLetterCase)
{
    EXPECT_EQ(RetryAfter::HeaderValue({"HTTP/1.1 429 Too Many Requests", "retry-AFTER:  58 ", "X: y"}), "58");
    EXPECT_EQ(RetryAfter::HeaderValue({"HTTP/1.1 429 Too Many Requests", "Retry-After-Not: 1"}), "");
}

TEST(RetryAfter, WaitInWordsRoundedUp)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 s"}, {45, "45 s"}, {60, "1 min"}, {61, "2 min"}, {3480, "58 min"}, {7140, "119 min"}, {7199, "2 h"}, {7200, "2 h"},
        {7500, "2 h 5 min"}, {86400, "24 h"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(RetryAfter::WaitText(seconds), text) << seconds;
}

} // namespace
