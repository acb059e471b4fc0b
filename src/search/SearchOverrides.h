#pragma once
#include "pictures/PictureTypes.h"

#include <optional>

// What the command line sets instead of the settings file's picture types
// or minimum width and height; unset keeps the file's.
struct TSearchOverrides {
    std::optional<TPictureTypes> Types;
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;
};
