#pragma once
#include <optional>

class TIniFile;

// A picture's width and height in pixels; 0 while not known.
struct TDimensions {
    int Width = 0;
    int Height = 0;
    bool Known() const { return Width > 0 && Height > 0; }
};

// The minimum width and height a checked picture must have. Like the size
// filter, it passes a picture whose dimensions are not known, and a picture
// exactly on a bound.
struct TDimensionFilter {
    std::optional<int> MinWidth;
    std::optional<int> MinHeight;

    bool On() const { return MinWidth || MinHeight; }
    bool Passes(TDimensions dimensions) const;
};

// The settings file's filter: MinWidthBool/MinWidth and MinHeightBool/
// MinHeight in [Options], both off when absent.
TDimensionFilter ReadDimensionFilter(const TIniFile& settings);
