#pragma once
#include "controls/FadeEffects.h"

#include <QWidget>
#include <functional>

// The two-picture button: shows its face and fades to the other picture with
// the effects of TFadeEffects, repainting at once at every step. Paints every
// pixel itself, so the background is never erased under it.
class TLuminFade : public QWidget, public TFadeEffects {
    Q_OBJECT
public:
    explicit TLuminFade(QWidget* parent = nullptr);

    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    void Click();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

    QSize ControlSize() const override { return size(); }
    void SetControlSize(QSize size) override { resize(size); }
    void RepaintNow() override { repaint(); }
    void InvalidateControl() override { update(); }
    void ProcessMessages() override;
    qreal ControlPixelRatio() const override { return devicePixelRatioF(); }

private:
    bool FPressed = false;
};
