#pragma once
#include <string>
#include <string_view>
#include <vector>

// Where a value stands in JSON text that parsed, for messages about it:
// the line (from 1) of the value at path (member names; decimal indexes
// into arrays), or of the deepest value on the way that is there.
int JsonLineOf(std::string_view text, const std::vector<std::string>& path);
