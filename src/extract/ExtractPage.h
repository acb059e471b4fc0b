#pragma once
#include "extract/LinkResolver.h"
#include "extract/PageText.h"

// One page under extraction: its text and the resolver for its origin.
struct TExtractPage {
    TExtractPage(const std::vector<std::string>& lines, const std::string& origin) : Text(lines), Resolver(origin) {}

    TPageText Text;
    TLinkResolver Resolver;
};
