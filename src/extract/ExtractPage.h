#pragma once
#include "extract/LinkResolver.h"
#include "extract/PageText.h"
#include "extract/TagLinks.h"
#include "extract/TagWords.h"

#include <utility>
#include <vector>

// A line that is exactly an anchor already read: the line pass reuses what
// was found in the anchor. Its links are kept one after the other in a text
// shared by all such lines: [At, At + PictureSize) and then the page.
struct TLineAnchor {
    size_t Line;
    TTagWords Words;
    size_t At;
    size_t PictureSize;
    size_t PageSize;
};

// One page under extraction: its text and the resolver for its origin, with
// what the passes learn about its lines for the passes after them.
struct TExtractPage {
    TExtractPage(TPageText text, const std::string& origin) : Text(std::move(text)), Resolver(origin) {}

    TPageText Text;
    TLinkResolver Resolver;
    std::vector<TTagWords> LineWords;       // per line, when filled
    std::vector<TLineAnchor> LineAnchors;   // in line order
    std::string LineAnchorLinks;            // what LineAnchors found
    TTagLinks Links;                        // of the tag being read, reused

    void KeepLineAnchor(size_t line, const TTagWords& words, const TTagLinks& links)
    {
        LineAnchors.push_back({line, words, LineAnchorLinks.size(), links.Picture.size(), links.PageToFollow.size()});
        LineAnchorLinks += links.Picture;
        LineAnchorLinks += links.PageToFollow;
    }
    // Into the reused links.
    void TakeLineAnchorLinks(const TLineAnchor& anchor)
    {
        Links.Picture.assign(LineAnchorLinks, anchor.At, anchor.PictureSize);
        Links.PageToFollow.assign(LineAnchorLinks, anchor.At + anchor.PictureSize, anchor.PageSize);
    }
};
