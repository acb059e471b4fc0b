#pragma once
#include "core/PictureRecord.h"

#include <string>
#include <string_view>
#include <vector>

// One answer page of a live source's JSON search API, read.
struct TSourceAnswer {
    // The answer has the source's format (no hits is a format too).
    bool Read = false;
    // The source's own error text, when it answered with one.
    std::string Error;
    std::vector<TPictureRecord> Pictures; // in the source's order
    // Appended to the first page's address, it asks for the next page;
    // empty when there is none.
    std::string NextSuffix;
    // A next page is there (described sources).
    bool More = false;
};

// The MediaWiki action API's answer to a file search with image info
// (generator=search, prop=imageinfo, iiprop=url|size|mime, iiurlwidth): the
// pages' first image info each (its thumburl the thumbnail), ordered by
// search rank; the "continue" object's members become the next page's
// parameters; an "error" object's info is the error.
TSourceAnswer ReadCommonsAnswer(std::string_view body);

// The Openverse images search's answer: each result's url, filesize, width,
// height, filetype and thumbnail; a next page while "page" is below
// "page_count". An error's "detail" is a sentence or an object of
// parameters with their messages.
TSourceAnswer ReadOpenverseAnswer(std::string_view body);
