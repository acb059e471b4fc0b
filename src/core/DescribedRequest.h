#pragma once
#include "core/SourceDescription.h"
#include "pictures/PictureTypes.h"

#include <string>
#include <utility>
#include <vector>

// What a search asks a described source for.
struct TSourceSearch {
    std::string Phrase; // UTF-8
    TPictureTypes Types = TPictureTypes::JpegOnly();
    int ThumbnailWidth = 128; // the grid's
    std::string Key;          // the API key from the settings; empty: none
    std::string Agent;        // the program's agent, as {agent}
    // Asked of a source that can filter by it (its LicenceQuery).
    TLicenceFilter Licence = TLicenceFilter::Any;
};

// The search's address, less its paging parameter, on the base address
// given (the settings') in place of the description's own; with the query
// piece of the licence filter asked, where the source has one (its "&" a
// "?" where the address has no query).
std::string DescribedSearchAddress(const TSourceDescription& d, const std::string& base, const TSourceSearch& search);

// The paging parameter that asks for the page (from 0: the first) of a
// source paged by page or offset; empty for the others.
std::string DescribedPageSuffix(const TSourceDescription& d, int page);

// The request's own header lines ("Name: value").
std::vector<std::string> DescribedHeaders(const TSourceDescription& d, const TSourceSearch& search);

// The MIME types and the link extensions (without the dot) of a set of
// picture types, in type order.
std::vector<std::string> PictureMimeTypes(TPictureTypes types);
std::vector<std::string> PictureExtensionNames(TPictureTypes types);
