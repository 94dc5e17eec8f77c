// High contrast as the system last said, and core/colour_scheme.h's colours on a device context.
// Each copy of the framework (Keyvane.exe's and Chimebox.dll's) asks the system for itself.
#pragma once

#include <windows.h>

#include "core/colour_scheme.h"

// Asked of the system at the first call, then again only by askHighContrast: never per paint.
bool highContrastOn();
void askHighContrast();
// A top-level window was told the colours or a setting changed: asks again and repaints the
// window with all its controls at once.
void followColourChange(HWND window);

// Asking the system whether high contrast is on, behind one replaceable seam: wine cannot switch
// it on, so tests answer themselves.
class HighContrastQuery {
public:
    virtual ~HighContrastQuery() = default;
    virtual bool on() = 0;
};
// What askHighContrast uses: SystemParametersInfo's answer unless a test installed another.
HighContrastQuery& highContrastQuery();
// Installs one (nullptr: the system's again); returns the previous one.
HighContrastQuery* setHighContrastQuery(HighContrastQuery* query);

// Sets the pair on dc (the text colour only when the rule gives one) and returns the brush of its
// background: the system's own, or for one of ours its brush in ourBrushes (kOurColourCount
// of them, made from kOurColours; nullptr where the caller has none).
HBRUSH applyColours(HDC dc, const ColourPair& pair, const HBRUSH* ourBrushes);
