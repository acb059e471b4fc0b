#pragma once
#include "controls/Picture.h"

#include <QColor>
#include <QImage>

// The fading button's bitmaps: 24 bits a pixel, rows padded to 4 bytes,
// ratio device pixels for each design pixel of the size.
QImage FilledBitmap(QSize size, const QColor& fill, qreal ratio = 1);
// The picture scaled to the size on the fill colour (an empty picture gives the fill alone).
QImage RenderStretched(const TPicture& picture, QSize size, const QColor& fill, qreal ratio = 1);
// The picture at its own size on the fill colour.
QImage RenderUnscaled(const TPicture& picture, const QColor& fill, qreal ratio = 1);
