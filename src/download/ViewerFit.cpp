#include "download/ViewerFit.h"

#include <algorithm>
#include <cmath>

// Whole numbers are taken with lrint: to nearest, halves to even.
TPictureRect FitPicture(int pictureWidth, int pictureHeight, int pageWidth, int pageHeight)
{
    TPictureRect r;
    if (pictureWidth <= 0 || pictureHeight <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return r;
    if (pictureWidth < pageWidth && pictureHeight < pageHeight) {
        r.Width = pictureWidth;
        r.Height = pictureHeight;
        r.Left = (pageWidth - pictureWidth) / 2;
        r.Top = (pageHeight - pictureHeight) / 2;
        return r;
    }
    const double rH = static_cast<double>(pictureHeight) / pageHeight;
    const double rW = static_cast<double>(pictureWidth) / pageWidth;
    const double ratio = rH > rW ? rH : rW;
    r.Height = std::max(0, static_cast<int>(std::lrint(pictureHeight / ratio)) - 5);
    r.Width = std::max(0, static_cast<int>(std::lrint(pictureWidth / ratio)) - 5);
    r.Left = static_cast<int>(std::lrint(pageWidth / 2.0 - r.Width / 2.0));
    r.Top = static_cast<int>(std::lrint(pageHeight / 2.0 - r.Height / 2.0));
    return r;
}
