#include "controls/PictureView.h"

#include "download/PictureFile.h"
#include "platform/CatchAll.h"
#include "platform/ui/Dialogs.h"

#include <QPainter>

TPictureView::TPictureView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void TPictureView::SetPicture(const QImage& picture)
{
    FPicture = picture;
    FScaled = QImage();
    update();
}

TPictureRect TPictureView::PictureRect() const
{
    return FitPicture(FPicture.width(), FPicture.height(), width(), height());
}

void TPictureView::paintEvent(QPaintEvent*)
{
    const TPictureRect r = PictureRect();
    if (r.Width <= 0 || r.Height <= 0)
        return;
    QPainter painter(this);
    if (r.Width == FPicture.width() && r.Height == FPicture.height()) {
        painter.drawImage(r.Left, r.Top, FPicture);
        return;
    }
    // Scaled once for the screen's device pixels, so a dense screen shows the detail it can.
    const qreal ratio = devicePixelRatioF();
    const QSize device = QSize(r.Width, r.Height) * ratio;
    if (FScaled.size() != device || FScaled.devicePixelRatio() != ratio) {
        FScaled = FPicture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        FScaled.setDevicePixelRatio(ratio);
    }
    painter.drawImage(r.Left, r.Top, FScaled);
}

bool ViewPictureFile(TPictureView& view, const std::string& path)
{
    const bool shown = CatchAll("error code : #0052 (ViewImages)", [&] { view.SetPicture(LoadPicture(path)); });
    if (!shown)
        Dialogs::ShowMessage("Error viewing file.");
    return shown;
}
