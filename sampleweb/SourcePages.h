#pragma once
#include "sampleweb/Hosts.h"

#include <string>

namespace sampleweb {

// The live sources' JSON answers, in their APIs' documented shapes, made
// from SourceAnswers(). Each comes normal, empty (no hits) and in a changed
// format (none of the keys a reader looks for).
enum class SourceVariant { Normal, Empty, Changed };

// The MediaWiki action API's file search with image info ("/w/api.php"):
// the pages from result `offset` on (gsroffset), with a "continue" object
// while more follow.
std::string CommonsAnswer(SourceVariant variant, int offset, const Addresses& addresses);

// The Openverse images search ("/v1/images/"): result page `page` (from 1)
// with "page" and "page_count".
std::string OpenverseAnswer(SourceVariant variant, int page, const Addresses& addresses);

} // namespace sampleweb
