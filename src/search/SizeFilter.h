#pragma once
#include "core/PictureSize.h"

class TIniFile;

// The settings file's size filter, read at every picture: a picture whose
// size is not known passes; a known one passes within the bounds switched on.
bool PassesSizeFilter(const TIniFile& settings, TPictureSize size);
