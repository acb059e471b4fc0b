#include "app/PictureButton.h"

#include "controls/LuminFade.h"

TLuminFade* PictureButton(QWidget* parent, const QImage& bright, const QImage& dimmed, const QRect& place,
                          int blendRate)
{
    auto* button = new TLuminFade(parent);
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    button->SetStretchToFit(false);
    button->SetBlendRate(blendRate);
    TPicture picture;
    picture.SetBitmap(bright);
    button->SetPicFrom(picture);
    picture.SetBitmap(dimmed);
    button->SetPicTo(picture);
    button->OnMouseEnter = [button] { button->Blend(); };
    button->OnMouseLeave = [button] { button->BlendBack(); };
    return button;
}
