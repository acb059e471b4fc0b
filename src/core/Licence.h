#pragma once
#include "core/PictureRecord.h"

#include <optional>
#include <string>
#include <string_view>

// Which pictures a search keeps by their licence: any, or only those whose
// licence allows commercial use, or changes (derived works).
enum class TLicenceFilter { Any, Commercial, Changes };

// "any", "commercial", "changes": the settings file's and the command line's
// words; the description format's for the last two.
const char* LicenceFilterName(TLicenceFilter filter);
std::optional<TLicenceFilter> ParseLicenceFilter(std::string_view name);

// What a licence allows.
struct TLicenceUse {
    bool Commercial = false;
    bool Changes = false;
    bool operator==(const TLicenceUse&) const = default;
};

bool Allows(TLicenceUse use, TLicenceFilter filter);

// A licence as sources write it: a Creative Commons code ("by-nc-sa",
// "CC BY-SA 4.0", "Attribution-NoDerivs"), its address
// (creativecommons.org/licenses/by-nd/4.0/), a public-domain mark ("cc0",
// "pdm", "Public domain"), the GFDL, or "All rights reserved". None for a
// text that names no licence known here.
std::optional<TLicenceUse> ReadLicence(std::string_view text);

// A picture passes unless its source marks it with a licence that does not
// allow what the filter asks; a picture without a licence (or with one the
// program does not know) passes.
bool LicencePasses(const TPictureRecord& picture, TLicenceFilter filter);
