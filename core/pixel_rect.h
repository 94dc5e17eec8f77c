// A rectangle in pixels, by its edges; right and bottom lie just outside it, as in a Windows RECT.
#pragma once

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};
