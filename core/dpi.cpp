#include "core/dpi.h"

int mulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return 0;
    // 64 bits: a large size times a large DPI overflows an int.
    long long product = static_cast<long long>(number) * numerator;
    long long divisor = denominator < 0 ? -static_cast<long long>(denominator) : denominator;
    if (denominator < 0)
        product = -product;
    long long half = divisor / 2;
    long long result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return static_cast<int>(result);
}

int scaleToDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi)
        return pixels;
    return mulDiv(pixels, dpi, kBaseDpi);
}

int dialogFontHeight(int points, int dpi) {
    return -mulDiv(points, dpi, 72);
}

DialogBaseUnits dialogBaseUnits(int alphabetWidth, int cellHeight) {
    return {(alphabetWidth / 26 + 1) / 2, cellHeight};
}

PixelRect mapDialogUnits(const UnitRect& units, const DialogBaseUnits& base) {
    int left = mulDiv(units.x, base.x, 4);
    int top = mulDiv(units.y, base.y, 8);
    return {left, top, left + mulDiv(units.cx, base.x, 4), top + mulDiv(units.cy, base.y, 8)};
}
