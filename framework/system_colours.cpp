#include "framework/system_colours.h"

#include "core/seam.h"

static_assert(kSysWindow == COLOR_WINDOW && kSysWindowText == COLOR_WINDOWTEXT &&
              kSysHighlight == COLOR_HIGHLIGHT && kSysHighlightText == COLOR_HIGHLIGHTTEXT &&
              kSysButtonFace == COLOR_BTNFACE && kSysButtonText == COLOR_BTNTEXT);

namespace {
HighContrastQuery& systemQuery() {
    static struct : HighContrastQuery {
        bool on() override {
            HIGHCONTRASTW contrast{};
            contrast.cbSize = sizeof contrast;
            return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                   (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
        }
    } query;
    return query;
}

Seam<HighContrastQuery, systemQuery> seam;
int answer = -1; // not asked yet

COLORREF colourOf(const SchemeColour& colour) {
    return colour.source == SchemeColour::kSystem ? GetSysColor(static_cast<int>(colour.value))
                                                  : kOurColours[colour.value];
}
} // namespace

bool highContrastOn() {
    if (answer < 0)
        askHighContrast();
    return answer == 1;
}

void askHighContrast() {
    answer = highContrastQuery().on() ? 1 : 0;
}

void followColourChange(HWND window) {
    askHighContrast();
    RedrawWindow(window, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

HighContrastQuery& highContrastQuery() {
    return seam.get();
}

HighContrastQuery* setHighContrastQuery(HighContrastQuery* query) {
    return seam.install(query);
}

HBRUSH applyColours(HDC dc, const ColourPair& pair, const HBRUSH* ourBrushes) {
    if (pair.text.source != SchemeColour::kUnset)
        SetTextColor(dc, colourOf(pair.text));
    SetBkColor(dc, colourOf(pair.back));
    if (pair.back.source == SchemeColour::kSystem)
        return GetSysColorBrush(static_cast<int>(pair.back.value));
    return ourBrushes != nullptr ? ourBrushes[pair.back.value] : nullptr;
}
