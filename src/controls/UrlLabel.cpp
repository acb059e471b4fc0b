#include "controls/UrlLabel.h"

#include "platform/AnsiText.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Shell.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {
bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}
}

TUrlLabel::TUrlLabel(QWidget* parent) : QLabel(parent), FPopupMenu(new QMenu(this))
{
    setCursor(Qt::PointingHandCursor);
    SetFontColor(QColor(0x00, 0x00, 0xFF));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    FCopyItem = FPopupMenu->addAction("Copy");
    connect(FCopyItem, &QAction::triggered, this, [this] { Dialogs::SetClipboardText(text().toStdString()); });
}

QColor TUrlLabel::FontColor() const
{
    return palette().color(QPalette::WindowText);
}

void TUrlLabel::SetFontColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

// The blank test trims spaces; the address is handed on as it stands.
void TUrlLabel::Click()
{
    if (OnClick)
        OnClick();
    const std::string address = Blank(URL) ? FromQt(text()) : URL;
    if (!Blank(address))
        ShellOpen(address);
}

void TUrlLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        FSavedColor = FontColor();
        FPressed = true;
        SetFontColor(ActiveColor);
    }
    QLabel::mousePressEvent(e);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = FPressed && e->button() == Qt::LeftButton;
    if (click) {
        FPressed = false;
        SetFontColor(FSavedColor);
    }
    QLabel::mouseReleaseEvent(e);
    if (click && rect().contains(e->position().toPoint()))
        Click();
}

void TUrlLabel::contextMenuEvent(QContextMenuEvent* e)
{
    FPopupMenu->popup(e->globalPos());
}
