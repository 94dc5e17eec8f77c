#include "core/window_placement.h"

namespace {
long long overlap(const PixelRect& a, const PixelRect& b) {
    long long width = (a.right < b.right ? a.right : b.right) - (a.left > b.left ? a.left : b.left);
    long long height =
        (a.bottom < b.bottom ? a.bottom : b.bottom) - (a.top > b.top ? a.top : b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// How far apart two rectangles are, squared; 0 when they touch or overlap.
long long distanceSquared(const PixelRect& a, const PixelRect& b) {
    long long dx = a.right < b.left ? b.left - a.right : (b.right < a.left ? a.left - b.right : 0);
    long long dy = a.bottom < b.top ? b.top - a.bottom : (b.bottom < a.top ? a.top - b.bottom : 0);
    return dx * dx + dy * dy;
}

int keepInside(int start, int length, int low, int high) {
    if (start + length > high)
        start = high - length;
    return start < low ? low : start;
}
} // namespace

std::size_t monitorOf(const PixelRect& window, const DisplayMonitor* monitors, std::size_t count) {
    std::size_t best = 0;
    long long bestOverlap = 0;
    for (std::size_t i = 0; i < count; ++i) {
        long long shared = overlap(window, monitors[i].bounds);
        if (shared > bestOverlap) {
            best = i;
            bestOverlap = shared;
        }
    }
    if (bestOverlap > 0)
        return best;
    for (std::size_t i = 1; i < count; ++i)
        if (distanceSquared(window, monitors[i].bounds) <
            distanceSquared(window, monitors[best].bounds))
            best = i;
    return best;
}

ScreenPoint placeCentred(int width, int height, const PixelRect* owner,
                         const DisplayMonitor* monitors, std::size_t count) {
    const PixelRect& work =
        monitors[owner != nullptr ? monitorOf(*owner, monitors, count) : 0].work;
    const PixelRect& around = owner != nullptr ? *owner : work;
    // Halves as the platform's integer division gives them, so that nothing moves by a pixel
    // where the old placement already fitted.
    int left = (around.left + around.right - width) / 2;
    int top = (around.top + around.bottom - height) / 2;
    return {keepInside(left, width, work.left, work.right),
            keepInside(top, height, work.top, work.bottom)};
}
