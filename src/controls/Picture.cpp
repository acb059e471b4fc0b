#include "controls/Picture.h"

#include <QPainter>
#include <utility>

void TPicture::Assign(const TPicture& other)
{
    FKind = other.FKind;
    FBitmap = other.FBitmap;
    FIcon = other.FIcon;
    FIconSize = other.FIconSize;
    FMetafile = other.FMetafile;
    Changed();
}

void TPicture::SetBitmap(const QImage& bitmap)
{
    Clear();
    FKind = bitmap.isNull() ? TKind::Empty : TKind::Bitmap;
    FBitmap = bitmap;
    Changed();
}

void TPicture::SetIcon(const QIcon& icon, QSize ownSize)
{
    Clear();
    FKind = icon.isNull() || ownSize.isEmpty() ? TKind::Empty : TKind::Icon;
    FIcon = icon;
    FIconSize = ownSize;
    Changed();
}

void TPicture::SetMetafile(const QPicture& metafile)
{
    Clear();
    FKind = metafile.boundingRect().isEmpty() ? TKind::Empty : TKind::Metafile;
    FMetafile = metafile;
    Changed();
}

void TPicture::Clear()
{
    FKind = TKind::Empty;
    FBitmap = {};
    FIcon = {};
    FIconSize = {};
    FMetafile = QPicture();
}

void TPicture::SwapQuietly(TPicture& other)
{
    std::swap(FKind, other.FKind);
    std::swap(FBitmap, other.FBitmap);
    std::swap(FIcon, other.FIcon);
    std::swap(FIconSize, other.FIconSize);
    std::swap(FMetafile, other.FMetafile);
}

QSize TPicture::Size() const
{
    switch (FKind) {
    case TKind::Bitmap:
        return FBitmap.deviceIndependentSize().toSize();
    case TKind::Icon:
        return FIconSize;
    case TKind::Metafile:
        return FMetafile.boundingRect().size();
    case TKind::Empty:
        break;
    }
    return {0, 0};
}

void TPicture::Draw(QPainter& painter) const
{
    StretchDraw(painter, QRect(QPoint(0, 0), Size()));
}

void TPicture::StretchDraw(QPainter& painter, const QRect& target) const
{
    switch (FKind) {
    case TKind::Bitmap:
        painter.drawImage(target, FBitmap);
        break;
    case TKind::Icon:
        FIcon.paint(&painter, target);
        break;
    case TKind::Metafile: {
        const QRect bounds = FMetafile.boundingRect();
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(double(target.width()) / bounds.width(), double(target.height()) / bounds.height());
        painter.translate(-bounds.topLeft());
        painter.drawPicture(0, 0, FMetafile);
        painter.restore();
        break;
    }
    case TKind::Empty:
        break;
    }
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}
