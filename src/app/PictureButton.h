#pragma once
#include <QImage>
#include <QRect>

class QWidget;
class TLuminFade;

// A fading picture button at its design place: bright picture at rest, the
// dimmed one under the pointer, cross-faded in blendRate steps both ways.
TLuminFade* PictureButton(QWidget* parent, const QImage& bright, const QImage& dimmed, const QRect& place,
                          int blendRate);
