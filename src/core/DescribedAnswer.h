#pragma once
#include "core/SourceAnswer.h"
#include "core/SourceDescription.h"

#include <string_view>

// One answer page of a described source, read by its description. The page
// is the answer's place in the search (1 for the first); More tells whether
// the answer leads to a next page, and for a source paged by continuation,
// NextSuffix holds the parameters that ask for it.
TSourceAnswer ReadDescribedAnswer(const TSourceDescription& description, std::string_view body, int page);
