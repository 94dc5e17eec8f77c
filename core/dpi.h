// Pixel sizes are drawn up at 96 DPI, the system's 100 %; at a higher DPI they grow in
// proportion so that text, boxes and margins keep their relations. A dialog template's sizes
// are in dialog units instead, which follow its font: the arithmetic that turns them into
// pixels at any DPI, as the dialog manager does when it creates the dialog, lives here too, so
// that a window moved to another DPI can be laid out as if it had been opened there.
// Portable, tested natively.
#pragma once

#include "core/pixel_rect.h"

// The DPI at which every pixel size in the program is stated.
constexpr int kBaseDpi = 96;

// number * numerator / denominator, rounded to the nearest with halves away from zero, as the
// platform's MulDiv rounds; 64 bits inside. A denominator of 0 gives 0.
int mulDiv(int number, int numerator, int denominator);

// pixels (stated at 96 DPI) at dpi, rounded as mulDiv: a size and its mirror image around a
// centre stay mirrored. A dpi that is not positive (a failed query) counts as 96.
int scaleToDpi(int pixels, int dpi);

// The height to create a template's font of this point size with at dpi (negative: the
// character height, without the internal leading).
int dialogFontHeight(int points, int dpi);

// A font's dialog base units: x from the width of "A".."Z" and "a".."z" written out (the
// average character width, rounded up from the half), y its cell height.
struct DialogBaseUnits {
    int x;
    int y;
};
DialogBaseUnits dialogBaseUnits(int alphabetWidth, int cellHeight);

// A rectangle in dialog units, as a template gives it: position and size.
struct UnitRect {
    int x;
    int y;
    int cx;
    int cy;
};
// In pixels: each of the four mapped on its own, as the dialog manager maps a control's, so the
// size is the mapped size and not the difference of the mapped edges.
PixelRect mapDialogUnits(const UnitRect& units, const DialogBaseUnits& base);
