#pragma once
#include "pictures/PictureTypes.h"
#include "schedule/ConnectionProfile.h"

#include <optional>

// What the command line sets instead of the settings file's picture types,
// minimum width and height or connection profile; unset keeps the file's.
struct TSearchOverrides {
    std::optional<TPictureTypes> Types;
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;
    std::optional<TProfileKind> Profile;
};
