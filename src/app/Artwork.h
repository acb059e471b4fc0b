#pragma once
#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// The program's own pictures, drawn in code: every picture button holds a
// bright label on black and its dimmed twin.
QImage ButtonPicture(const QString& label, QSize size, bool dimmed);
QImage LogoPicture(bool dimmed);  // 99 x 83: the lens emblem over the name
QImage TitlePicture();            // the header's name and motto
QIcon ApplicationIcon();
