// Where a dialog or message box opens: centred on its owner, and kept inside the work area of the
// owner's monitor, so that it appears on the monitor the user is looking at. Portable, tested
// natively with several monitors.
#pragma once

#include <cstddef>

#include "core/pixel_rect.h"

// In screen pixels, which are negative left of or above the primary monitor.
struct DisplayMonitor {
    PixelRect bounds;
    PixelRect work; // without the task bar and other docked bars
};

// The monitor a window with this rectangle is on: the one it overlaps most, else the nearest one
// (as the system's MonitorFromRect with MONITOR_DEFAULTTONEAREST decides). count must be > 0.
std::size_t monitorOf(const PixelRect& window, const DisplayMonitor* monitors, std::size_t count);

struct ScreenPoint {
    int x;
    int y;
};

// The top-left corner of a width x height window centred on owner (nullptr: on the work area of
// monitors[0], the primary one), moved as little as needed to lie inside the work area of the
// owner's monitor; where it cannot fit, its left and top edges (the caption) stay visible.
ScreenPoint placeCentred(int width, int height, const PixelRect* owner,
                         const DisplayMonitor* monitors, std::size_t count);
