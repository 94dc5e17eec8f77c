// Pixel sizes are drawn up at 96 DPI, the system's 100 %; at a higher system DPI they grow in
// proportion so that text, boxes and margins keep their relations. Portable, tested natively.
#pragma once

// The DPI at which every pixel size in the program is stated.
constexpr int kBaseDpi = 96;

// pixels (stated at 96 DPI) at dpi, rounded to the nearest pixel with halves away from zero, as
// the platform's MulDiv rounds: a size and its mirror image around a centre stay mirrored. A dpi
// that is not positive (a failed query) counts as 96.
int scaleToDpi(int pixels, int dpi);
