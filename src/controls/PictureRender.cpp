#include "controls/PictureRender.h"

#include <QPainter>

QImage FilledBitmap(QSize size, const QColor& fill, qreal ratio)
{
    QImage bitmap(size.expandedTo({0, 0}) * ratio, QImage::Format_RGB888);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(fill);
    return bitmap;
}

QImage RenderStretched(const TPicture& picture, QSize size, const QColor& fill, qreal ratio)
{
    QImage bitmap = FilledBitmap(size, fill, ratio);
    if (picture.Empty() || bitmap.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area(QPoint(0, 0), size);
    if (picture.Kind() == TPicture::TKind::Icon)
        painter.drawImage(area, RenderUnscaled(picture, fill, ratio));
    else
        picture.StretchDraw(painter, area);
    return bitmap;
}

QImage RenderUnscaled(const TPicture& picture, const QColor& fill, qreal ratio)
{
    QImage bitmap = FilledBitmap(picture.Size(), fill, ratio);
    if (bitmap.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    picture.Draw(painter);
    return bitmap;
}
