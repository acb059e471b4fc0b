#pragma once
#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The program's own pictures, drawn in code: every picture button holds a
// bright label on black and its dimmed twin. Sizes are in design pixels; the
// pictures hold ratio device pixels for each, so they stay sharp on dense screens.
// The densest screen's device pixels per design pixel: pictures drawn at it
// are sharp on every screen.
qreal ScreenPixelRatio();
QImage ButtonPicture(const QString& label, QSize size, bool dimmed, qreal ratio = 1);
QImage LogoPicture(bool dimmed, qreal ratio = 1); // 99 x 83: the lens emblem over the name
QImage TitlePicture(qreal ratio = 1);             // the header's name and motto
// The emblem alone on a transparent square, in the sizes desktops ask for.
constexpr int IconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};
QImage IconPicture(int side);
QIcon ApplicationIcon();
