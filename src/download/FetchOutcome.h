#pragma once

// A fetch to disk counts as done only when the server answered with a 2xx
// status. Looking for "404" in the last piece received misjudged pictures
// whose bytes hold those digits and took error pages for pictures; the
// client itself reports failed look-ups, failed connections and aborts as
// status 404.
inline bool FetchFailed(int statusCode) { return statusCode < 200 || statusCode > 299; }
