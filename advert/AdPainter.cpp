#include "AdPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinimumPixels = 7;
constexpr int kReadablePixels = 9;

// The largest font up to maxPixels whose text fits the box (wrapped at
// words when flags ask for it); the smallest one when none does.
QFont FitFont(const QString& text, const QRectF& box, double maxPixels, QFont::Weight weight, int flags = 0)
{
    QFont font("DejaVu Sans");
    font.setWeight(weight);
    for (double px = std::floor(maxPixels); px >= kMinimumPixels; px -= 1) {
        font.setPixelSize(static_cast<int>(px));
        const QRectF need = QFontMetricsF(font).boundingRect(box, flags, text);
        if (need.width() <= box.width() && need.height() <= box.height())
            return font;
    }
    font.setPixelSize(static_cast<int>(kMinimumPixels));
    return font;
}

// Returns the rectangle the text took.
QRectF DrawText(QPainter& p, const QString& text, const QRectF& box, double maxPixels, QFont::Weight weight,
                const QColor& colour, int flags)
{
    p.setFont(FitFont(text, box, maxPixels, weight, flags & Qt::TextWordWrap));
    p.setPen(colour);
    QRectF used;
    p.drawText(box, flags, text, &used);
    return used;
}

void PaintBackground(QPainter& p, const THouseAd& ad, const QSizeF& size)
{
    const QRectF all(QPointF(0, 0), size);
    QLinearGradient base(all.topLeft(), all.bottomRight());
    base.setColorAt(0, ad.Dark);
    base.setColorAt(1, ad.Light);
    p.fillRect(all, base);
    QRadialGradient glow(QPointF(size.width() * 0.8, 0), std::max(size.width(), size.height()) * 0.7);
    QColor light = ad.Accent;
    light.setAlpha(70);
    glow.setColorAt(0, light);
    glow.setColorAt(1, Qt::transparent);
    p.fillRect(all, glow);
    QLinearGradient sheen(all.topLeft(), all.bottomLeft());
    sheen.setColorAt(0, QColor(255, 255, 255, 50));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 8));
    sheen.setColorAt(0.51, QColor(0, 0, 0, 0));
    p.fillRect(all, sheen);
    QColor edge = ad.Accent;
    edge.setAlpha(160);
    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

void PaintEmblem(QPainter& p, const THouseAd& ad, const QRectF& box)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(box.translated(0, box.height() * 0.04));
    p.setBrush(ad.Accent);
    p.drawEllipse(box);
    p.translate(box.center());
    p.scale(box.width() / 100, box.height() / 100);
    p.setBrush(ad.Dark);
    switch (ad.Emblem) {
    case TEmblem::Picture: {
        p.drawRoundedRect(QRectF(-30, -24, 60, 48), 6, 6);
        p.setBrush(ad.Accent);
        p.drawEllipse(QPointF(12, -8), 7, 7);
        p.drawPolygon(QPolygonF({QPointF(-24, 18), QPointF(-6, -6), QPointF(6, 8), QPointF(12, 2), QPointF(24, 18)}));
        break;
    }
    case TEmblem::Aperture: {
        p.drawEllipse(QPointF(0, 0), 34, 34);
        p.setPen(QPen(ad.Accent, 4));
        for (int blade = 0; blade < 6; ++blade) {
            const double a = blade * M_PI / 3;
            const QPointF inner(14 * std::cos(a), 14 * std::sin(a));
            const QPointF outer(34 * std::cos(a + 1.2), 34 * std::sin(a + 1.2));
            p.drawLine(inner, outer);
        }
        break;
    }
    case TEmblem::Cloud: {
        QPainterPath cloud;
        cloud.addEllipse(QPointF(-14, 4), 16, 14);
        cloud.addEllipse(QPointF(6, -6), 20, 19);
        cloud.addEllipse(QPointF(22, 8), 13, 11);
        cloud.addRoundedRect(QRectF(-30, 4, 65, 16), 8, 8);
        p.drawPath(cloud.simplified());
        p.setBrush(ad.Accent);
        p.drawPolygon(QPolygonF({QPointF(0, -8), QPointF(11, 5), QPointF(4, 5), QPointF(4, 16), QPointF(-4, 16),
                                 QPointF(-4, 5), QPointF(-11, 5)}));
        break;
    }
    case TEmblem::Star: {
        QPolygonF star;
        for (int point = 0; point < 10; ++point) {
            const double r = point % 2 ? 15 : 36;
            const double a = -M_PI / 2 + point * M_PI / 5;
            star << QPointF(r * std::cos(a), r * std::sin(a) + 3);
        }
        p.drawPolygon(star);
        break;
    }
    }
    p.restore();
}

QString ActionText(const THouseAd& ad) { return QString::fromUtf8(ad.Action) + QString::fromUtf8(" \u203a"); }

void PaintAction(QPainter& p, const THouseAd& ad, const QRectF& pill)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(pill.translated(0, 1.5), pill.height() / 2, pill.height() / 2);
    QLinearGradient fill(pill.topLeft(), pill.bottomLeft());
    fill.setColorAt(0, ad.Accent.lighter(125));
    fill.setColorAt(1, ad.Accent);
    p.setBrush(fill);
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    DrawText(p, ActionText(ad), pill.adjusted(pill.height() / 2, 0, -pill.height() / 2, 0), pill.height() * 0.5, QFont::Bold,
             ad.Dark, Qt::AlignCenter);
}

// The advertiser's name when it fits at a readable size, else the short one.
QString Headline(const THouseAd& ad, const QRectF& box, double readable, int flags = 0)
{
    const QString full = QString::fromUtf8(ad.Advertiser);
    const bool fits = FitFont(full, box, readable, QFont::Bold, flags).pixelSize() >= std::floor(readable);
    return fits ? full : QString::fromUtf8(ad.ShortName);
}

void PaintStrip(QPainter& p, const THouseAd& ad, const QSizeF& size)
{
    const double w = size.width();
    const double h = size.height();
    const double m = std::max(2.0, std::round(h / 10));
    PaintBackground(p, ad, size);
    const double e = h - 2 * m;
    PaintEmblem(p, ad, QRectF(m * 1.5, m, e, e));
    double right = w - 2 * m;
    if (w >= 280) {
        const double ph = std::min(26.0, std::round(h * 0.42));
        QFont f("DejaVu Sans");
        f.setPixelSize(static_cast<int>(ph * 0.5));
        f.setBold(true);
        const double pw = QFontMetricsF(f).horizontalAdvance(ActionText(ad)) + ph + 4;
        const QRectF pill(right - pw, (h - ph) / 2, pw, ph);
        PaintAction(p, ad, pill);
        right = pill.left() - 2 * m;
    }
    const double left = m * 2.5 + e;
    const QRectF text(left, m, right - left, h - 2 * m);
    const QRectF top(text.left(), text.top(), text.width(), text.height() * 0.56);
    const QRectF bottom(text.left(), top.bottom(), text.width(), text.height() - top.height());
    const QString tagline = QString::fromUtf8(ad.Tagline);
    if (FitFont(tagline, bottom, kReadablePixels, QFont::Normal, Qt::TextWordWrap).pixelSize() < kReadablePixels) {
        const QString name = Headline(ad, text, 12);
        DrawText(p, name, text, h * 0.45, QFont::Bold, Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    DrawText(p, Headline(ad, top, 14), top, top.height(), QFont::Bold, Qt::white, Qt::AlignLeft | Qt::AlignBottom);
    DrawText(p, tagline, bottom, std::min(bottom.height() * 0.8, 14.0), QFont::Normal,
             QColor(255, 255, 255, 215), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void PaintColumn(QPainter& p, const THouseAd& ad, const QSizeF& size)
{
    const double w = size.width();
    const double h = size.height();
    const double m = std::max(3.0, std::round(w / 16));
    PaintBackground(p, ad, size);
    const double e = std::round(std::min(w * 0.45, h * 0.36));
    PaintEmblem(p, ad, QRectF((w - e) / 2, m, e, e));
    double y = m * 1.5 + e;
    double bottom = h - m;
    if (h >= 120) {
        const double ph = std::min(22.0, std::round(h * 0.16));
        const QRectF pill(m, bottom - ph, w - 2 * m, ph);
        PaintAction(p, ad, pill);
        bottom = pill.top() - m;
    }
    const int wrap = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const double headPixels = std::min(18.0, w * 0.14);
    const QRectF head(m, y, w - 2 * m, std::min(bottom - y, headPixels * 2.6));
    const QString name = Headline(ad, head, std::min(headPixels, 11.0), Qt::TextWordWrap);
    y = DrawText(p, name, head, headPixels, QFont::Bold, Qt::white, wrap).bottom() + m / 2;
    const QRectF tag(m, y, w - 2 * m, bottom - y);
    if (tag.height() >= 24)
        DrawText(p, QString::fromUtf8(ad.Tagline), tag, std::min(12.0, headPixels * 0.75), QFont::Normal,
                 QColor(255, 255, 255, 215), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap);
}

} // namespace

void PaintHouseAd(QImage& image, const THouseAd& ad)
{
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QSizeF size = image.deviceIndependentSize();
    if (size.width() < 60 && size.height() > 2 * size.width()) {
        p.translate(0, size.height());
        p.rotate(-90);
        PaintStrip(p, ad, size.transposed());
    } else if (size.width() > 2 * size.height()) {
        PaintStrip(p, ad, size);
    } else {
        PaintColumn(p, ad, size);
    }
}
