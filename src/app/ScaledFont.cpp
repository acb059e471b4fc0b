#include "app/ScaledFont.h"

#include <algorithm>
#include <cmath>

QFont ScaledFont(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(8, static_cast<int>(std::lround(font.pixelSize() * factor))));
    return font;
}
