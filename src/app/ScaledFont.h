#pragma once
#include <QFont>

// The font at `factor` of its size, whether that size is set in points or
// in pixels (a pixel-sized font has no point size to scale); never below 8
// pixels.
QFont ScaledFont(QFont font, double factor);
