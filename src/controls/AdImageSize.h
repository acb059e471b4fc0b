#pragma once
#include <cstdint>

// The standard banner sizes; the library is told the position in this list.
enum class TAdImageSize : uint8_t {
    ads150x40,
    ADS468x60,
    ads300x50,
    ads70x70,
    ads50x200,
    ADS392x72,
    ADS234x60,
    ADS125x125,
    ADS120x90,
    ADS120x60,
    ADS88x31,
    ADS120x240,
};

struct TAdDimensions {
    int Width;
    int Height;
    bool operator==(const TAdDimensions&) const = default;
};

TAdDimensions AdImageDimensions(TAdImageSize size);

// The standard size nearest to requested bounds of width x height.
TAdImageSize ChooseAdImageSize(int width, int height);
