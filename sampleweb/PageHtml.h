#pragma once
#include "sampleweb/Content.h"

#include <string>

namespace sampleweb {

// The HTML of a site page: one line per link. Nothing else on the page holds
// ".jpg", "href", "src", "img", "<a" or "/a", so what a reader finds comes from
// the links alone.
std::string PageHtml(const Resource& page, const Addresses& addresses);

// The "text/html" answers that are no pages of the content.
std::string NotFoundHtml();
std::string NotAPictureHtml();

} // namespace sampleweb
