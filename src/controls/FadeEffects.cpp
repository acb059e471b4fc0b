#include "controls/FadeEffects.h"

#include "controls/BlendRow.h"
#include "controls/ELuminFade.h"
#include "controls/PictureRender.h"
#include "controls/PixelOrder.h"
#include "platform/Random.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

// Marks an effect as running for its whole length, also when it throws.
class TFadeEffects::TRunning {
public:
    explicit TRunning(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TRunning() { FFlag = false; }
    TRunning(const TRunning&) = delete;
    TRunning& operator=(const TRunning&) = delete;

private:
    bool& FFlag;
};

TFadeEffects::TFadeEffects()
{
    FPicFrom.OnChange = [this] { PictureChanged(); };
    FPicTo.OnChange = [this] { PictureChanged(); };
}

void TFadeEffects::SetColorFrom(const QColor& color)
{
    if (color == FColorFrom)
        return;
    FColorFrom = color;
    Reset();
}

void TFadeEffects::SetColorTo(const QColor& color)
{
    if (color == FColorTo)
        return;
    FColorTo = color;
    Reset();
}

void TFadeEffects::SetDisolvRate(int32_t rate)
{
    const QSize size = ControlSize();
    const int64_t area = int64_t{size.width()} * size.height();
    // A control without pixels keeps the rate at 1 rather than 0, which
    // would divide by zero in the next dissolve.
    FDisolvRate = static_cast<int32_t>(std::max<int64_t>(1, std::min<int64_t>(std::max(rate, 1), area)));
}

void TFadeEffects::SetBlendRate(int32_t rate)
{
    FBlendRate = std::clamp(rate, 1, 255);
}

void TFadeEffects::SetStretchToFit(bool stretch)
{
    if (stretch == FStretchToFit)
        return;
    FStretchToFit = stretch;
    Reset();
}

void TFadeEffects::Fire(const TNotifyEvent& event) const
{
    if (event)
        event();
}

void TFadeEffects::PictureChanged()
{
    if (!FReversed)
        Reset();
}

void TFadeEffects::Reset()
{
    // Sizing the control to a picture comes back here through its resize.
    if (FResetting)
        return;
    {
        TRunning resetting(FResetting);
        if (FReversed) {
            std::swap(FColorFrom, FColorTo);
            FPicFrom.SwapQuietly(FPicTo);
            FReversed = false;
            FStretchToFit = FSavedStretch;
        }
        Render();
        if (FBlendSource.size() != FFace.size())
            FBlendSource = FilledBitmap(FFace.size(), Qt::black);
    }
    InvalidateControl();
    Fire(OnReset);
}

void TFadeEffects::Render()
{
    const bool from = !FPicFrom.Empty();
    const bool to = !FPicTo.Empty();
    const qreal ratio = ControlPixelRatio();
    if (FStretchToFit || (!from && !to)) {
        const QSize size = ControlSize();
        FFace = RenderStretched(FPicFrom, size, FColorFrom, ratio);
        FTarget = RenderStretched(FPicTo, size, FColorTo, ratio);
    } else if (from) {
        SetControlSize(FPicFrom.Size());
        FFace = RenderUnscaled(FPicFrom, FColorFrom, ratio);
        FTarget = RenderStretched(FPicTo, FPicFrom.Size(), FColorTo, ratio);
    } else {
        SetControlSize(FPicTo.Size());
        FTarget = RenderUnscaled(FPicTo, FColorTo, ratio);
        FFace = FilledBitmap(FPicTo.Size(), FColorFrom, ratio);
    }
}

// A Reset while an effect runs (only possible with ProcessMsgs on) may give
// the bitmaps another size; the effect then stops rather than run past them.
bool TFadeEffects::Intact(QSize size) const
{
    return FFace.size() == size && FTarget.size() == size && FBlendSource.size() == size;
}

void TFadeEffects::Blend() { RunAlone(&TFadeEffects::Forward, true); }
void TFadeEffects::Dissolve() { RunAlone(&TFadeEffects::Forward, false); }
void TFadeEffects::BlendBack() { RunAlone(&TFadeEffects::Backward, true); }
void TFadeEffects::DissolveBack() { RunAlone(&TFadeEffects::Backward, false); }

void TFadeEffects::RunAlone(void (TFadeEffects::*effect)(bool), bool blend)
{
    if (FRunning)
        return;
    TRunning running(FRunning);
    (this->*effect)(blend);
}

int64_t TFadeEffects::PixelsPerStep() const
{
    return int64_t{FFace.width()} * FFace.height() / FDisolvRate;
}

void TFadeEffects::Forward(bool blend)
{
    Reset();
    const int64_t perStep = PixelsPerStep();
    if (blend && FBlendRate < 1)
        throw ELuminFade("BlendRate must be between 0 and 256");
    if (!blend && perStep < 1)
        throw ELuminFade("DisolvRate cannot be > Width * Height!");
    Fire(OnBegin);
    if (blend)
        BlendSteps();
    else
        DissolveSteps(perStep);
    if (FAutoReverse) {
        std::this_thread::sleep_for(std::chrono::seconds(std::max(FSwapDelay, 0)));
        Backward(blend != FSwapOnReverse); // SwapOnReverse returns with the other effect
    }
    Fire(OnEnd);
}

// On a control smaller than DisolvRate pixels the way back of a dissolve
// copies all of them in its one final step.
void TFadeEffects::Backward(bool blend)
{
    SwapForBackward();
    if (blend)
        BlendSteps();
    else
        DissolveSteps(PixelsPerStep());
    Reset();
}

void TFadeEffects::SwapForBackward()
{
    FSavedStretch = FStretchToFit;
    FStretchToFit = true;
    std::swap(FColorFrom, FColorTo);
    FPicFrom.SwapQuietly(FPicTo);
    Reset();
    FReversed = true;
}

void TFadeEffects::BlendSteps()
{
    const QSize size = FFace.size();
    if (!FFace.isNull())
        std::memcpy(FBlendSource.bits(), FFace.constBits(), FFace.sizeInBytes());
    for (int32_t k = 0; k <= FBlendRate; ++k) {
        if (!Intact(size))
            break;
        const int w = k * 32 / FBlendRate;
        if (w != 0 && !FFace.isNull())
            BlendRow(FFace.bits(), FBlendSource.constBits(), FTarget.constBits(),
                     static_cast<size_t>(FFace.sizeInBytes()), w);
        RepaintNow();
        if (FProcessMsgs)
            ProcessMessages();
    }
}

void TFadeEffects::DissolveSteps(int64_t perStep)
{
    const QSize size = FFace.size();
    // Re-seeded for every dissolve, so that no two look alike.
    Randomize();
    TPixelOrder order(static_cast<uint32_t>(int64_t{size.width()} * size.height()));
    const int64_t count = order.Count();
    const int64_t steps = perStep > 0 ? count / perStep : 0;
    const auto copy = [&](int64_t pixels) {
        if (!Intact(size) || pixels == 0)
            return;
        uint8_t* face = FFace.bits();
        const uint8_t* target = FTarget.constBits();
        const qsizetype line = FFace.bytesPerLine();
        for (int64_t n = 0; n < pixels; ++n) {
            const uint32_t index = order.Next();
            const qsizetype at = index / size.width() * line + index % size.width() * 3;
            std::memcpy(face + at, target + at, 3);
        }
    };
    for (int64_t s = 0; s < steps; ++s) {
        copy(perStep);
        RepaintNow();
        if (FProcessMsgs)
            ProcessMessages();
    }
    copy(count - steps * perStep);
    RepaintNow();
}
