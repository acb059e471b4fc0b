#pragma once
#include <algorithm>
#include <climits>

// The slide-show timer's interval for a "Wait" of so many seconds, kept
// within what a timer takes (a huge or negative Wait must not overflow).
inline int SlideShowIntervalMs(long long waitSeconds)
{
    return static_cast<int>(std::clamp(waitSeconds * 1000, 0LL, static_cast<long long>(INT_MAX)));
}
