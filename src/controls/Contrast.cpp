#include "controls/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

// Relative luminance of an sRGB colour.
double Luminance(const QColor& c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

QColor Blend(const QColor& from, const QColor& to, double t)
{
    const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& text, const QColor& background, double ratio)
{
    if (ContrastRatio(text, background) >= ratio)
        return text;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor end = ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
    if (ContrastRatio(end, background) < ratio)
        return end;
    // The least move that reaches the ratio: contrast grows along the way.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 20; ++i) {
        const double mid = (low + high) / 2;
        (ContrastRatio(Blend(text, end, mid), background) >= ratio ? high : low) = mid;
    }
    return Blend(text, end, high);
}
