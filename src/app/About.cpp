#include "app/About.h"

#include "app/Artwork.h"
#include "app/CallBrowser.h"
#include "app/PictureButton.h"
#include "app/PlacedLabel.h"
#include "controls/LuminFade.h"
#include "controls/UrlLabel.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

Tfrm_About* frm_About = nullptr;

namespace {

void Line(QWidget* parent, int left, int top, int width)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(left, top, width, 2);
}

} // namespace

Tfrm_About::Tfrm_About(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle("Glimmerscout");
    setFixedSize(290, 185);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 99, 83);
    Image1->setPixmap(QPixmap::fromImage(LogoPicture(false, ScreenPixelRatio())));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    QFont arial("Arial");
    arial.setPixelSize(13);
    Label1 = PlacedLabel(this, "Glimmerscout", 112, 3);
    QFont bold = arial;
    bold.setBold(true);
    Label1->setFont(bold);
    label_Version = PlacedLabel(this, "Version X", 112, 27);
    Label2 = PlacedLabel(this, "Freeware picture finder.", 112, 43);
    Label3 = PlacedLabel(this, "Visit:", 112, 61);
    for (QLabel* l : {label_Version, Label2, Label3}) {
        QFont small = l->font();
        small.setPixelSize(11);
        l->setFont(small);
    }
    QFont narrow = Label3->font();
    narrow.setStretch(82);
    Label3->setFont(narrow); // leaves a gap before the link beside it
    label_URL = new TUrlLabel(this);
    label_URL->move(139, 61);
    // Narrowed so that the home page address fits the box.
    arial.setPixelSize(11);
    arial.setStretch(82);
    arial.setUnderline(true);
    label_URL->setFont(arial);
    label_URL->SetFontColor(Qt::cyan);
    Line(this, 112, 80, 169);
    Line(this, 8, 152, 273);

    // The dimmed picture is a pixel narrower; the button scales it to the bright one.
    const qreal ratio = ScreenPixelRatio();
    LuminFade1 = PictureButton(this, ButtonPicture("OK", {43, 16}, false, ratio),
                               ButtonPicture("OK", {42, 16}, true, ratio), QRect(240, 160, 43, 16), 32);
    LuminFade1->OnClick = [this] { LuminFade1Click(); };

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tfrm_About::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void Tfrm_About::FormShow()
{
    label_Version->setText("Version 1.1");
    label_Version->adjustSize();
    label_URL->setText(HomePageAddress);
    label_URL->URL = HomePageAddress;
    label_URL->adjustSize();
}

bool Tfrm_About::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Image1 && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        Image1Click();
    return QDialog::eventFilter(watched, e);
}

void Tfrm_About::Image1Click()
{
    CallBrowser(HomePageAddress);
}

void Tfrm_About::LuminFade1Click()
{
    done(QDialog::Accepted);
}
