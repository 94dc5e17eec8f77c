// The monitors as the system lists them, and a window centred on its owner among them (the rule
// itself is core/window_placement's portable arithmetic).
#pragma once

#include <windows.h>

// Centres window on its owner, inside the work area of the owner's monitor; a hidden or minimised
// owner stands for its monitor's work area, and without an owner the primary monitor's is taken.
void placeCentred(HWND window);
