#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the header of one HTTP response said. A new response gets a new
// record, so nothing of an earlier one (a redirect's length, say) can pass
// for a later one's.
struct THttpResponse {
    int StatusCode = 0;           // 0 without a readable status line
    std::string ReasonPhrase;
    int32_t ContentLength = -1;   // -1: absent, unreadable or conflicting
    bool ContentLengthSeen = false;
    std::string ContentType;      // lower-cased
    std::vector<std::string> AuthChallenges; // www-authenticate values
    std::vector<std::string> Cookies;        // set-cookie values
    std::optional<std::string> Location;     // the last location value
    std::vector<std::string> Lines;          // every non-empty line, without its end
    size_t HeaderBytes = 0;       // bytes before the body, line ends included

    bool operator==(const THttpResponse&) const = default;
};
