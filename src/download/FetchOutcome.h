#pragma once
#include <cstdint>

// A fetch to disk counts as done only when it ended without an error and
// the server answered with a 2xx status. Looking for "404" in the last
// piece received misjudged pictures whose bytes hold those digits and took
// error pages, broken connections and full disks for pictures.
inline bool FetchFailed(int statusCode, uint16_t error)
{
    return error != 0 || statusCode < 200 || statusCode > 299;
}

// A body that stopped before its announced length is not the picture, even
// when the server closed cleanly. contentLength is negative when none was given.
inline bool BodyCutShort(int64_t contentLength, int64_t received)
{
    return contentLength >= 0 && received < contentLength;
}
