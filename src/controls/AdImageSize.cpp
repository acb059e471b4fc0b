#include "controls/AdImageSize.h"

#include "advert/AdvertAbi.h"

#include <cstddef>

TAdDimensions AdImageDimensions(TAdImageSize size)
{
    const int32_t* d = AdvertSizes[static_cast<std::size_t>(size)];
    return {d[0], d[1]};
}

// The limits lie halfway between neighbouring sizes; a height of exactly 182
// is nearer 125 than 240, so it gives 125 x 125.
TAdImageSize ChooseAdImageSize(int width, int height)
{
    if (width < 60)
        return TAdImageSize::ads50x200;
    if (width < 79)
        return TAdImageSize::ads70x70;
    if (width < 104)
        return TAdImageSize::ADS88x31;
    if (width < 135) {
        if (height < 75)
            return TAdImageSize::ADS120x60;
        if (height < 108)
            return TAdImageSize::ADS120x90;
        if (height <= 182)
            return TAdImageSize::ADS125x125;
        return TAdImageSize::ADS120x240;
    }
    if (width < 192)
        return TAdImageSize::ads150x40;
    if (width < 267)
        return TAdImageSize::ADS234x60;
    if (width < 346)
        return TAdImageSize::ads300x50;
    if (width < 430)
        return TAdImageSize::ADS392x72;
    return TAdImageSize::ADS468x60;
}
