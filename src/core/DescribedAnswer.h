#pragma once
#include "core/SourceAnswer.h"
#include "core/SourceDescription.h"

#include <string_view>

// One answer page of a described source, read by its description. The page
// is the answer's place in the search (1 for the first). Where the answer
// leads to a next page (within the description's most pages), NextSuffix
// asks for it: the paging parameter, or the continuation's parameters.
TSourceAnswer ReadDescribedAnswer(const TSourceDescription& description, std::string_view body, int page);
