#pragma once
#include "core/SourceDescription.h"

#include <string_view>
#include <vector>

// The source descriptions built into the program (its resources), in the
// order the program lists them: Wikimedia Commons, Openverse, then the open
// collections.
const std::vector<TSourceDescription>& BuiltInSources();

// The built-in source of that short name; throws std::out_of_range for none.
const TSourceDescription& BuiltInSource(std::string_view shortName);
