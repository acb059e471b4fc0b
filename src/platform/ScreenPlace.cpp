#include "platform/ScreenPlace.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

bool TopEdgeOn(const QRect& frame, const QRect& screen)
{
    return frame.top() >= screen.top() && frame.top() <= screen.bottom() && frame.left() <= screen.right()
           && frame.right() >= screen.left();
}

// The gap between the two along one axis; 0 where they overlap.
int64_t Gap(int low, int high, int otherLow, int otherHigh)
{
    return std::max<int64_t>({0, int64_t{otherLow} - high, int64_t{low} - otherHigh});
}

int64_t SquaredDistance(const QRect& a, const QRect& b)
{
    const int64_t dx = Gap(a.left(), a.right(), b.left(), b.right());
    const int64_t dy = Gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

// The frame's start along one axis, inside the screen's span where it fits.
int Within(int start, int length, int screenStart, int screenLength)
{
    return std::max(screenStart, std::min(start, screenStart + screenLength - length));
}

} // namespace

QPoint ReachablePlace(const QRect& frame, const std::vector<QRect>& screens)
{
    const QRect* nearest = nullptr;
    int64_t best = std::numeric_limits<int64_t>::max();
    for (const QRect& screen : screens) {
        if (TopEdgeOn(frame, screen))
            return frame.topLeft();
        if (const int64_t d = SquaredDistance(frame, screen); d < best) {
            best = d;
            nearest = &screen;
        }
    }
    if (!nearest)
        return frame.topLeft();
    return {Within(frame.left(), frame.width(), nearest->left(), nearest->width()),
            Within(frame.top(), frame.height(), nearest->top(), nearest->height())};
}
