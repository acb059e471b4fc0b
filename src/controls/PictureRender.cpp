#include "controls/PictureRender.h"

#include <QPainter>

QImage FilledBitmap(QSize size, const QColor& fill)
{
    QImage bitmap(size.expandedTo({0, 0}), QImage::Format_RGB888);
    bitmap.fill(fill);
    return bitmap;
}

QImage RenderStretched(const TPicture& picture, QSize size, const QColor& fill)
{
    QImage bitmap = FilledBitmap(size, fill);
    if (picture.Empty() || bitmap.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (picture.Kind() == TPicture::TKind::Icon)
        painter.drawImage(bitmap.rect(), RenderUnscaled(picture, fill));
    else
        picture.StretchDraw(painter, bitmap.rect());
    return bitmap;
}

QImage RenderUnscaled(const TPicture& picture, const QColor& fill)
{
    QImage bitmap = FilledBitmap(picture.Size(), fill);
    if (bitmap.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    picture.Draw(painter);
    return bitmap;
}
