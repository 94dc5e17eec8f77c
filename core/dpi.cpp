#include "core/dpi.h"

int scaleToDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi)
        return pixels;
    // 64 bits: a large size times a large DPI overflows an int.
    long long product = static_cast<long long>(pixels) * dpi;
    long long half = kBaseDpi / 2;
    long long scaled = product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi);
    return static_cast<int>(scaled);
}
