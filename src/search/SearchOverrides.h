#pragma once
#include "core/Licence.h"
#include "pictures/PictureTypes.h"
#include "schedule/ConnectionProfile.h"
#include "search/Sources.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// What the command line sets instead of the settings file's picture types,
// minimum width and height, sources switched on, connection profile or
// licence filter; unset keeps the file's.
struct TSearchOverrides {
    std::optional<TPictureTypes> Types;
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;
    std::optional<std::vector<std::string>> Sources; // short names
    std::optional<TProfileKind> Profile;
    std::optional<TLicenceFilter> Licence;
};
