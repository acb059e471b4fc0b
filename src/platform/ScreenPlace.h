#pragma once
#include <QPoint>
#include <QRect>
#include <vector>

// Where a window's frame goes so that the user can reach its title bar: the
// frame's corner as it is while the frame's top edge lies on one of the
// screens; else the corner that puts the whole frame on the nearest screen
// (at that screen's corner where the frame is larger), as after a monitor
// that held it was unplugged. screens: their work areas.
QPoint ReachablePlace(const QRect& frame, const std::vector<QRect>& screens);
