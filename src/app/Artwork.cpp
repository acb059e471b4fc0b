#include "app/Artwork.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kGoldLight(0xFF, 0xE0, 0x8A);
const QColor kGold(0xF2, 0xB8, 0x3C);
const QColor kGoldDeep(0x9A, 0x6A, 0x16);
const QColor kText(0xFF, 0xF6, 0xE0);

// Painted in design pixels, stored in device pixels.
QImage BlackCanvas(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    return image;
}

QFont BoldFont(int pixelSize)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// The dimmed twin is the bright picture seen through a dark glass.
void Dim(QImage& image)
{
    QPainter painter(&image);
    painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), QColor(0, 0, 0, 150));
}

// A four-pointed star with a soft halo: the glimmer of the name.
void DrawSparkle(QPainter& painter, QPointF centre, qreal radius)
{
    painter.save();
    QRadialGradient halo(centre, radius);
    halo.setColorAt(0, QColor(255, 240, 190, 170));
    halo.setColorAt(1, QColor(255, 200, 80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius, radius);
    QPainterPath star;
    const qreal r = radius, w = radius * 0.16;
    star.moveTo(centre + QPointF(0, -r));
    star.quadTo(centre + QPointF(w, -w), centre + QPointF(r, 0));
    star.quadTo(centre + QPointF(w, w), centre + QPointF(0, r));
    star.quadTo(centre + QPointF(-w, w), centre + QPointF(-r, 0));
    star.quadTo(centre + QPointF(-w, -w), centre + QPointF(0, -r));
    painter.setBrush(QColor(255, 252, 235));
    painter.drawPath(star);
    painter.restore();
}

// A magnifying lens with a sparkle in its glass, fitted into the box.
void DrawEmblem(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 64.0, box.height() / 64.0);
    QPen handle(QColor(0x6B, 0x4A, 0x12), 9, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(handle);
    painter.drawLine(QPointF(41, 41), QPointF(57, 57));
    handle.setColor(kGold);
    handle.setWidth(5);
    painter.setPen(handle);
    painter.drawLine(QPointF(42, 42), QPointF(56, 56));

    const QPointF lens(26, 26);
    QRadialGradient glass(lens + QPointF(-6, -6), 24);
    glass.setColorAt(0, QColor(0x3C, 0x7E, 0xB8));
    glass.setColorAt(0.7, QColor(0x10, 0x2C, 0x52));
    glass.setColorAt(1, QColor(0x06, 0x12, 0x24));
    QLinearGradient rim(0, 4, 0, 48);
    rim.setColorAt(0, kGoldLight);
    rim.setColorAt(1, kGoldDeep);
    painter.setPen(QPen(QBrush(rim), 5));
    painter.setBrush(glass);
    painter.drawEllipse(lens, 19, 19);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(13, 13, 26, 26), 100 * 16, 70 * 16);
    DrawSparkle(painter, lens + QPointF(3, 2), 11);
    painter.restore();
}

QLinearGradient GoldText(qreal top, qreal bottom)
{
    QLinearGradient gold(0, top, 0, bottom);
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(0.55, kGold);
    gold.setColorAt(1, kGoldDeep);
    return gold;
}

} // namespace

qreal ScreenPixelRatio() { return QGuiApplication::instance() ? qApp->devicePixelRatio() : 1.0; }

QImage ButtonPicture(const QString& label, QSize size, bool dimmed, qreal ratio)
{
    QImage image = BlackCanvas(size, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area(QPoint(0, 0), size);
    const QRectF frame = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(6, size.height() / 3.0);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(0x3A, 0x31, 0x20));
    fill.setColorAt(0.5, QColor(0x1C, 0x17, 0x0E));
    fill.setColorAt(1, QColor(0x0C, 0x0A, 0x06));
    QLinearGradient edge(0, 0, 0, size.height());
    edge.setColorAt(0, kGoldLight);
    edge.setColorAt(1, kGoldDeep);
    painter.setPen(QPen(QBrush(edge), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(frame, radius, radius);

    painter.setFont(BoldFont(std::max(9, size.height() * 12 / 25)));
    const QRect text = area.adjusted(0, 0, 0, -1);
    painter.setPen(QColor(0xFF, 0xC8, 0x50, 70)); // glow
    for (const QPoint& d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        painter.drawText(text.translated(d), Qt::AlignCenter, label);
    painter.setPen(kText);
    painter.drawText(text, Qt::AlignCenter, label);
    painter.end();
    if (dimmed)
        Dim(image);
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage LogoPicture(bool dimmed, qreal ratio)
{
    QImage image = BlackCanvas({99, 83}, ratio);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    DrawEmblem(painter, QRectF(24, 1, 62, 62));
    const QFont font = BoldFont(12);
    painter.setFont(font);
    painter.setPen(QPen(QBrush(GoldText(64, 80)), 1));
    painter.drawText(QRect(0, 64, 99, 18), Qt::AlignCenter, "Glimmerscout");
    painter.end();
    if (dimmed)
        Dim(image);
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage TitlePicture(qreal ratio)
{
    QImage image = BlackCanvas({140, 62}, ratio);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QPainterPath name;
    name.addText(0, 30, BoldFont(19), "Glimmerscout");
    const qreal scale = std::min<qreal>(1.0, 128.0 / name.boundingRect().width());
    painter.scale(scale, 1);
    painter.setPen(QPen(QColor(0x5A, 0x3C, 0x08), 1.5));
    painter.setBrush(GoldText(14, 32));
    painter.drawPath(name);
    painter.resetTransform();
    DrawSparkle(painter, QPointF(136 * scale, 12), 6);
    QFont motto("DejaVu Sans");
    motto.setPixelSize(10);
    motto.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    painter.setFont(motto);
    painter.setPen(QColor(0x9C, 0xC8, 0xE8));
    painter.drawText(QRect(0, 38, 140, 14), Qt::AlignHCenter, "PICTURE FINDER");
    painter.setPen(QPen(QBrush(GoldText(0, 1)), 1));
    painter.drawLine(QPointF(10, 56.5), QPointF(130, 56.5));
    return image;
}

QImage IconPicture(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawEmblem(painter, QRectF(0, 0, side, side));
    return image;
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int side : IconSides)
        icon.addPixmap(QPixmap::fromImage(IconPicture(side)));
    return icon;
}
