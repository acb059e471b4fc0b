#pragma once
#include "sampleweb/Hosts.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sampleweb {

// The live sources' JSON answers, in their APIs' documented shapes, made
// from SourceAnswers(). Each comes normal, empty (no hits), in a changed
// format (none of the keys a reader looks for), or throttled (429 with
// Retry-After once ThrottledAfterPages pages were answered).
enum class SourceVariant { Normal, Empty, Changed, Throttled };

// A throttled source answers its first page; every later one is refused.
inline constexpr int ThrottledAfterPages = 1;
inline constexpr int ThrottledRetrySeconds = 3480; // 58 minutes

using Parameters = std::multimap<std::string, std::string>; // decoded

struct SourceReply {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// The MediaWiki action API ("/w/api.php"): a file search with image info
// (action=query, format=json, generator=search, gsrnamespace=6, gsrsearch,
// prop=imageinfo, iiprop with url, size and mime, iiurlwidth), results from
// gsroffset on, a "continue" object while more follow, each file with its
// thumburl at iiurlwidth. CirrusSearch's filemime: keywords in gsrsearch
// keep files of those MIME types. A missing or wrong parameter is answered
// with MediaWiki's error object (missing action or format: the HTML help).
SourceReply CommonsApi(const Parameters& parameters, SourceVariant variant, const Addresses& addresses);

// The Openverse images search ("/v1/images/"): result page `page` (from 1)
// of page_size (at most 20 without a key: 401), with "page" and
// "page_count", each result with its thumbnail, creator and licence (code,
// version, address); `extension` (a comma separated list) keeps those file
// types, `license_type` (all, all-cc, commercial, modification; several
// keep what all of them allow) those licences. Errors carry "detail": a
// sentence, or an object of parameters with their messages.
SourceReply OpenverseApi(const Parameters& parameters, SourceVariant variant, const Addresses& addresses);

// The upload host refuses agents that name no client and contact (Wikimedia's
// agent policy): empty ones, library defaults, and browser-like ones alike.
bool AgentNamesClient(const std::string& agent);

// A thumbnail the sources serve: Commons "/files/thumb/.../128px-Name",
// Openverse "/v1/images/ID/thumb/"; a small JPEG, empty for any other path.
std::string SourceThumbnail(Host host, const std::string& path);

} // namespace sampleweb
