#pragma once
#include "controls/Picture.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <functional>

// The two pictures of a fading button and the effects between them, without
// the widget: the control it belongs to (size, repaint, message handling) is
// reached through the hooks at the end. The widget TLuminFade derives from it.
class TFadeEffects {
public:
    using TNotifyEvent = std::function<void()>;

    TFadeEffects();
    virtual ~TFadeEffects() = default;
    TFadeEffects(const TFadeEffects&) = delete;
    TFadeEffects& operator=(const TFadeEffects&) = delete;

    // --- properties
    TPicture& PicFrom() { return FPicFrom; }
    TPicture& PicTo() { return FPicTo; }
    void SetPicFrom(const TPicture& picture) { FPicFrom.Assign(picture); }
    void SetPicTo(const TPicture& picture) { FPicTo.Assign(picture); }
    QColor ColorFrom() const { return FColorFrom; }
    void SetColorFrom(const QColor& color);
    QColor ColorTo() const { return FColorTo; }
    void SetColorTo(const QColor& color);
    int32_t DisolvRate() const { return FDisolvRate; }
    void SetDisolvRate(int32_t rate);
    int32_t BlendRate() const { return FBlendRate; }
    void SetBlendRate(int32_t rate);
    bool StretchToFit() const { return FStretchToFit; }
    void SetStretchToFit(bool stretch);
    bool ProcessMsgs() const { return FProcessMsgs; }
    void SetProcessMsgs(bool process) { FProcessMsgs = process; }
    bool AutoReverse() const { return FAutoReverse; }
    void SetAutoReverse(bool reverse) { FAutoReverse = reverse; }
    bool SwapOnReverse() const { return FSwapOnReverse; }
    void SetSwapOnReverse(bool swap) { FSwapOnReverse = swap; }
    int32_t SwapDelay() const { return FSwapDelay; } // seconds
    void SetSwapDelay(int32_t seconds) { FSwapDelay = seconds; }

    TNotifyEvent OnBegin;
    TNotifyEvent OnEnd;
    TNotifyEvent OnReset;

    // --- effects: each runs to its end before it returns. While one runs
    // (possible only with ProcessMsgs on) another one returns at once.
    void Blend();
    void BlendBack();
    void Dissolve();
    void DissolveBack();
    void Reset();

    // What painting shows, and the picture the effects go to, in device
    // pixels (ControlPixelRatio for each of the control's).
    const QImage& Face() const { return FFace; }
    const QImage& Target() const { return FTarget; }

protected:
    // The control this belongs to.
    virtual QSize ControlSize() const = 0;
    virtual void SetControlSize(QSize size) = 0;
    virtual void RepaintNow() = 0;
    virtual void InvalidateControl() = 0;
    virtual void ProcessMessages() = 0;
    virtual qreal ControlPixelRatio() const { return 1; }

private:
    class TRunning;
    void Fire(const TNotifyEvent& event) const;
    void PictureChanged();
    void Render();
    void SwapForBackward();
    void BlendSteps();
    void DissolveSteps(int64_t perStep);
    void RunAlone(void (TFadeEffects::*effect)(bool), bool blend);
    void Forward(bool blend);
    void Backward(bool blend);
    int64_t PixelsPerStep() const;
    bool Intact(QSize size) const;

    TPicture FPicFrom;
    TPicture FPicTo;
    QColor FColorFrom = Qt::black;
    QColor FColorTo = Qt::white;
    int32_t FDisolvRate = 125;
    int32_t FBlendRate = 32;
    bool FStretchToFit = true;
    bool FProcessMsgs = false;
    bool FAutoReverse = false;
    bool FSwapOnReverse = true;
    int32_t FSwapDelay = 1;

    QImage FFace;
    QImage FTarget;
    QImage FBlendSource;
    bool FReversed = false;
    bool FSavedStretch = true;
    bool FRunning = false;
    bool FResetting = false;
};
