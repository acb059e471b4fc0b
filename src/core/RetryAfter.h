#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// How long a service that answered 429 or 503 asks to be left alone.
namespace RetryAfter {

// Without a usable Retry-After (missing, unreadable, negative).
inline constexpr int64_t DefaultSeconds = 60;
// A date already past still waits this long; one absurdly far ahead no
// longer than a day.
inline constexpr int64_t MinSeconds = 1;
inline constexpr int64_t MaxSeconds = 24 * 3600;

// The value of a Retry-After header: delay-seconds or an HTTP date
// ("Sun, 06 Nov 1994 08:49:37 GMT", the obsolete RFC 850 and asctime forms
// too) against now; kept within MinSeconds to MaxSeconds.
int64_t Seconds(std::string_view value, std::time_t now);

// The Retry-After value among a response's header lines ("Name: value",
// the name in any letter case); empty when there is none.
std::string HeaderValue(const std::vector<std::string>& headerLines);

// "45 s", "58 min", "2 h 5 min": a wait in words, rounded up.
std::string WaitText(int64_t seconds);

} // namespace RetryAfter
