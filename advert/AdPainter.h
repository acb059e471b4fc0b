#pragma once
#include "HouseAds.h"

#include <QImage>

// Draws a house advertisement over the whole image, laid out for its size:
// a strip for wide banners, a column for square and tall ones, and the
// strip turned on its side for the narrow 50 x 200.
void PaintHouseAd(QImage& image, const THouseAd& ad);
