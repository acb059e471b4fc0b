#pragma once
#include <QColor>
#include <array>

// The library's own advertisements, shown in turn.
enum class TEmblem { Picture, Aperture, Cloud, Star };

struct THouseAd {
    const char* Advertiser;
    const char* ShortName; // for the smallest banners
    const char* Tagline;
    const char* Action;
    const char* Address; // opened on click
    QColor Dark;
    QColor Light;
    QColor Accent;
    TEmblem Emblem;
};

extern const std::array<THouseAd, 4> HouseAds;
