// The look every dialog shares: brushes created once at start-up, fonts once per DPI, never by a
// dialog.
#pragma once

#include <windows.h>

#include "core/colour_scheme.h"
#include "framework/gdi.h"

// A solid brush of each of our colours (core/colour_scheme.h), made once at start-up; the
// dialogs paint with White, Red, LightGreen and DialogFace.
struct Palette {
    HBRUSH brushes[kOurColourCount];
    HBRUSH operator[](OurColour colour) const { return brushes[static_cast<int>(colour)]; }
};

// 31 fonts, each owning its handle; four are given to controls. Their pixel heights grow with the
// DPI from their 96-DPI sizes.
struct FontSet {
    static constexpr int kCount = 31;
    int dpi = 0;
    Font fonts[kCount];
    HFONT gothic10() const { return fonts[0].get(); }
    HFONT gothic12() const { return fonts[2].get(); }
    HFONT gothic12Bold() const { return fonts[8].get(); }
    HFONT pMincho13Medium() const { return fonts[29].get(); }
};

extern Palette palette;
// The dialogs' face as start-up hands it on: its brush, and its colour, which every message box
// is given; 0 until then.
extern HBRUSH dialogBrush;
extern COLORREF dialogColor;

// Sets the colours of what is painted on dc (core/colour_scheme.h: ours, or the system's while
// high contrast is on) and returns the brush for its background.
HBRUSH paintAs(HDC dc, Painted what);

void createPalette();
// The fonts for a window at dpi, made on first use and kept until the program ends, so that a
// window moved to another monitor and back finds its fonts again.
const FontSet& fontSetFor(int dpi);

// What a screen reader calls the entry lists, which have no label of their own.
extern const char kListNameForReaders[];
