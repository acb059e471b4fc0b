#include "controls/LuminFade.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

TLuminFade::TLuminFade(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(75, 75);
    Reset();
}

void TLuminFade::Click()
{
    if (OnClick)
        OnClick();
}

void TLuminFade::paintEvent(QPaintEvent*)
{
    // Moved to a screen of another density: the bitmaps are drawn anew for it.
    if (Face().devicePixelRatio() != devicePixelRatioF())
        Reset();
    QPainter painter(this);
    painter.drawImage(0, 0, Face());
}

void TLuminFade::resizeEvent(QResizeEvent* e)
{
    Reset();
    QWidget::resizeEvent(e);
}

void TLuminFade::moveEvent(QMoveEvent* e)
{
    Reset();
    QWidget::moveEvent(e);
}

void TLuminFade::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    if (OnMouseEnter)
        OnMouseEnter();
}

void TLuminFade::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    if (OnMouseLeave)
        OnMouseLeave();
}

void TLuminFade::mousePressEvent(QMouseEvent* e)
{
    FPressed = e->button() == Qt::LeftButton;
}

// A click is a left press and release over the control.
void TLuminFade::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = FPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    FPressed = false;
    if (click)
        Click();
}

void TLuminFade::ProcessMessages()
{
    QCoreApplication::processEvents();
}
