#pragma once
#include "extract/LinkResolver.h"
#include "extract/PageText.h"
#include "extract/TagLinks.h"
#include "extract/TagWords.h"

#include <vector>

// A line that is exactly an anchor already read: the line pass reuses what
// was found in the anchor.
struct TLineAnchor {
    size_t Line;
    TTagWords Words;
    TTagLinks Links;
};

// One page under extraction: its text and the resolver for its origin, with
// what the passes learn about its lines for the passes after them.
struct TExtractPage {
    TExtractPage(const std::vector<std::string>& lines, const std::string& origin) : Text(lines), Resolver(origin) {}

    TPageText Text;
    TLinkResolver Resolver;
    std::vector<TTagWords> LineWords;       // per line, when filled
    std::vector<TLineAnchor> LineAnchors;   // in line order
    TTagLinks Links;                        // of the tag being read, reused
};
