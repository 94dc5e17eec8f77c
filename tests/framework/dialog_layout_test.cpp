// A dialog's layout at any DPI, natively: a template read from hand-built bytes, and its dialog
// units mapped to pixels as the dialog manager maps them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/dialog_template.h"

namespace {
// DS_SETFONT, a menu by number, no class, caption "ab", 9 points of "M"; an edit (class by
// number, 3 bytes of creation data) and a button (class and text by name, odd length).
// The header, then an item a line.
// clang-format off
const std::vector<uint16_t> kTemplate = {
    0x0040, 0x80C8, 0, 0, 2, 10, 20, 200, 100, 0xFFFF, 132, 0, 'a', 'b', 0, 9, 'M', 0,
    0, 0x5001, 0, 0, 7, 7, 50, 14, 1015, 0xFFFF, 0x0081, 0, 3, 0x0201, 0x0003, /*align*/ 0,
    0, 0x5001, 0, 0, 140, 80, 50, 14, 2, 'B', 'u', 0, 'O', 'K', 0, 0};
// clang-format on
} // namespace

TEST(DialogTemplate, ReadsTheLayoutAndRefusesWhatItCannotRead) {
    TemplateLayout layout;
    ASSERT_TRUE(readTemplateLayout(kTemplate.data(), kTemplate.size() * 2, layout));
    EXPECT_EQ(layout.style, 0x80C80040u);
    EXPECT_TRUE(layout.hasMenu);
    EXPECT_EQ(layout.pointSize, 9);
    EXPECT_EQ((std::vector<int>{layout.rect.x, layout.rect.y, layout.rect.cx, layout.rect.cy}),
              (std::vector<int>{10, 20, 200, 100}));
    ASSERT_EQ(layout.itemCount, 2);
    EXPECT_EQ(layout.items[0].id, 1015);
    EXPECT_EQ(layout.items[0].rect.cx, 50);
    EXPECT_EQ(layout.items[1].id, 2) << "after the first item's data and the alignment";
    EXPECT_EQ(layout.items[1].rect.x, 140);

    for (std::size_t bytes = 0; bytes + 2 < kTemplate.size() * 2; bytes += 2)
        EXPECT_FALSE(readTemplateLayout(kTemplate.data(), bytes, layout)) << bytes;
    std::vector<uint16_t> extended = kTemplate, tooMany = kTemplate;
    extended[0] = 1, extended[1] = 0xFFFF; // a DLGTEMPLATEEX
    tooMany[4] = TemplateLayout::kMaxItems + 1;
    EXPECT_FALSE(readTemplateLayout(extended.data(), extended.size() * 2, layout));
    EXPECT_FALSE(readTemplateLayout(tooMany.data(), tooMany.size() * 2, layout));
}

TEST(DialogUnits, MapAsTheDialogManagerDoesAtAnyDpi) {
    EXPECT_EQ(dialogFontHeight(9, 96), -12);
    EXPECT_EQ(dialogFontHeight(9, 144), -18);
    DialogBaseUnits base = dialogBaseUnits(312, 13); // 312 / 26 = 12, halved
    EXPECT_EQ(base.x, 6);
    EXPECT_EQ(dialogBaseUnits(338, 13).x, 7) << "half a unit rounds up";
    // Each of the four on its own: 7 * 6 / 4 = 10.5 -> 11; 50 * 6 / 4 = 75; 14 * 13 / 8 -> 23.
    PixelRect r = mapDialogUnits({7, 7, 50, 14}, base);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{11, 11, 86, 34}));
}
