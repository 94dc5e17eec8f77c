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
// Tests: what the system answers at the next ask (wine cannot switch high contrast on); nullptr
// for SystemParametersInfo's answer.
void setHighContrastQuery(bool (*query)());

// Sets the pair on dc (the text colour only when the rule gives one) and returns the brush of its
// background: the system's own, or for one of ours its brush in ourBrushes (kOurColourCount
// of them, made from kOurColours; nullptr where the caller has none).
HBRUSH applyColours(HDC dc, const ColourPair& pair, const HBRUSH* ourBrushes);
