#include "app/look.h"

#include <cstddef>
#include <forward_list>

#include "core/dpi.h"
#include "framework/system_colours.h"
#include "framework/wide_text.h"

Palette palette;
HBRUSH dialogBrush = nullptr;
COLORREF dialogColor = 0;

void createPalette() {
    for (int i = 0; i < kOurColourCount; ++i)
        palette.brushes[i] = CreateSolidBrush(kOurColours[i]);
}

HBRUSH paintAs(HDC dc, Painted what) {
    return applyColours(dc, schemeColours(what, highContrastOn()), palette.brushes);
}

namespace {
struct FontFamily {
    const char* face;
    int weight;
    int heights[8];
    int count;
};

// "ＭＳ ゴッシク" (small ッ before シ), "ＭＳ 明朝" and "ＭＳ Ｐ明朝", in Shift-JIS.
const FontFamily kFamilies[] = {
    {"ＭＳ ゴッシク", 400, {10, 11, 12, 13, 14, 16, 18, 20}, 8},
    {"ＭＳ ゴッシク", 700, {12, 14, 16}, 3},
    {"ＭＳ 明朝", 400, {10, 11, 12, 13, 14, 15, 16}, 7},
    {"ＭＳ 明朝", 700, {10, 11, 12, 13, 14, 15, 16}, 7},
    {"ＭＳ Ｐ明朝", 500, {9, 10, 11, 12, 13, 14}, 6},
};
} // namespace

const FontSet& fontSetFor(int dpi) {
    // The heights are 96-DPI pixels; the dialogs' own font and sizes follow the window's DPI,
    // so these must too, or the fields' text would shrink inside their grown boxes.
    static std::forward_list<FontSet> made;
    for (const FontSet& set : made)
        if (set.dpi == dpi)
            return set;
    FontSet& set = made.emplace_front();
    set.dpi = dpi;
    int next = 0;
    for (const FontFamily& family : kFamilies) {
        for (int i = 0; i < family.count && next < FontSet::kCount; ++i) {
            set.fonts[next++].attach(CreateFontW(
                scaleToDpi(family.heights[i], dpi), 0, 0, 0, family.weight, FALSE, FALSE, FALSE,
                SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN, WideText(family.face).get()));
        }
    }
    return set;
}

const char kListNameForReaders[] = "登録リスト";
