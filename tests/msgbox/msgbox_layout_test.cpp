// The message box's arithmetic: button sets, placement, window size and results, at 96 DPI
// and above.
#include <gtest/gtest.h>

#include <string>

#include "core/dpi.h"
#include "core/msgbox_layout.h"

namespace {
// Shift-JIS bytes, spelled out so that a wrong execution character set shows.
const std::string kOk = "\x4F\x20\x4B";
const std::string kCancel = "\xB7\xAC\xDD\xBE\xD9";
const std::string kAbort = "\x92\x86\x20\x8E\x7E";
const std::string kRetry = "\x8D\xC4\x8E\x8E\x8D\x73";
const std::string kIgnore = "\x96\xB3\x20\x8E\x8B";
const std::string kYes = "\x82\xCD\x20\x82\xA2";
const std::string kNo = "\x82\xA2\x82\xA2\x82\xA6";

std::string captionOf(const ButtonSet& set, int index) {
    return set.captions[index] != nullptr ? set.captions[index] : "-";
}

void expectRect(const PixelRect& r, int left, int top, int right, int bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}
} // namespace

TEST(ButtonSetFor, EachTypeShowsItsCaptionsAsShiftJisBytes) {
    struct Expected {
        std::string captions[3];
        ButtonRow row;
    };
    const Expected expected[6] = {
        {{"-", kOk, "-"}, ButtonRow::Single},
        {{kOk, "-", kCancel}, ButtonRow::Pair},
        {{kAbort, kRetry, kIgnore}, ButtonRow::Triple},
        {{kYes, kNo, kCancel}, ButtonRow::Triple},
        {{kYes, "-", kNo}, ButtonRow::Pair},
        {{kRetry, "-", kCancel}, ButtonRow::Pair},
    };
    for (int type = 0; type < 6; ++type) {
        SCOPED_TRACE(type);
        ButtonSet set = buttonSetFor(type);
        EXPECT_EQ(set.row, expected[type].row);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(captionOf(set, i), expected[type].captions[i]) << "button " << i;
    }
}

TEST(MessageRect, NarrowTextsGetTwoHundredPixelsAndWideOnesTheirOwnWidth) {
    expectRect(messageRect(150, 24), 10, 10, 210, 34);
    expectRect(messageRect(0, 0), 10, 10, 210, 10);
    expectRect(messageRect(199, 12), 10, 10, 210, 22);
    expectRect(messageRect(200, 12), 10, 10, 210, 22);
    expectRect(messageRect(201, 12), 10, 10, 211, 22);
    expectRect(messageRect(2000, 600), 10, 10, 2010, 610); // no upper bound
}

TEST(PlaceButtons, RowsSitTwelvePixelsBelowTheTextCentredUnderIt) {
    PixelRect text = messageRect(150, 24); // 200 wide: c = 100, buttons at 46
    ButtonPlacement single = placeButtons(text, ButtonRow::Single);
    EXPECT_FALSE(single.placed[0]);
    EXPECT_FALSE(single.placed[2]);
    ASSERT_TRUE(single.placed[1]);
    expectRect(single.rects[1], 70, 46, 150, 67);

    ButtonPlacement pair = placeButtons(text, ButtonRow::Pair);
    EXPECT_FALSE(pair.placed[1]);
    ASSERT_TRUE(pair.placed[0] && pair.placed[2]);
    expectRect(pair.rects[0], 20, 46, 100, 67);
    expectRect(pair.rects[2], 120, 46, 200, 67);

    ButtonPlacement triple = placeButtons(text, ButtonRow::Triple);
    ASSERT_TRUE(triple.placed[0] && triple.placed[1] && triple.placed[2]);
    expectRect(triple.rects[0], 10, 46, 70, 67);
    expectRect(triple.rects[1], 80, 46, 140, 67);
    expectRect(triple.rects[2], 150, 46, 210, 67);
}

TEST(PlaceButtons, AnOddTextWidthRoundsTheCentreDown) {
    PixelRect text = messageRect(301, 36); // 301 wide: c = 150, buttons at 58
    ButtonPlacement pair = placeButtons(text, ButtonRow::Pair);
    expectRect(pair.rects[0], 70, 58, 150, 79);
    expectRect(pair.rects[2], 170, 58, 250, 79);
    ButtonPlacement single = placeButtons(text, ButtonRow::Single);
    expectRect(single.rects[1], 120, 58, 200, 79);
}

TEST(BoxWindowSize, AddsMarginsFrameAndCaptionToTextAndButtons) {
    // Client area 220 x 77 for the 150 x 24 text, then 3-pixel frames and a 19-pixel caption.
    BoxSize size = boxWindowSize(messageRect(150, 24), {3, 3, 19});
    EXPECT_EQ(size.width, 220 + 6);
    EXPECT_EQ(size.height, 77 + 19 + 6);
    BoxSize wide = boxWindowSize(messageRect(350, 36), {4, 2, 23});
    EXPECT_EQ(wide.width, 370 + 8);
    EXPECT_EQ(wide.height, 36 + 53 + 23 + 4);
}

TEST(ScaleToDpi, KeepsNinetySixDpiSizesAndRoundsHalvesAwayFromZeroAboveIt) {
    for (int pixels : {-90, 0, 1, 12, 21, 200})
        EXPECT_EQ(scaleToDpi(pixels, 96), pixels);
    EXPECT_EQ(scaleToDpi(12, 0), 12); // a failed DPI query
    EXPECT_EQ(scaleToDpi(12, 120), 15);
    EXPECT_EQ(scaleToDpi(10, 120), 13);   // 12.5
    EXPECT_EQ(scaleToDpi(-10, 120), -13); // mirrored
    EXPECT_EQ(scaleToDpi(21, 144), 32);   // 31.5
    EXPECT_EQ(scaleToDpi(13, 144), 20);   // 19.5
    EXPECT_EQ(scaleToDpi(-30, 144), -45);
    EXPECT_EQ(scaleToDpi(1000000, 480), 5000000); // no overflow on the way
}

TEST(BoxLayoutAtHigherDpi, MarginsGapsButtonsAndFontGrowInProportion) {
    // 120 DPI: 13-pixel margins, a 250-pixel minimum, 15 to the buttons, buttons 26 high.
    PixelRect text = messageRect(100, 20, 120);
    expectRect(text, 13, 13, 263, 33);
    expectRect(messageRect(300, 20, 120), 13, 13, 313, 33);
    ButtonPlacement triple = placeButtons(text, ButtonRow::Triple, 120); // centre 138
    expectRect(triple.rects[0], 13, 48, 88, 74);
    expectRect(triple.rects[1], 100, 48, 176, 74);
    expectRect(triple.rects[2], 188, 48, 263, 74);
    ButtonPlacement pair = placeButtons(text, ButtonRow::Pair, 120);
    expectRect(pair.rects[0], 25, 48, 125, 74);
    expectRect(pair.rects[2], 151, 48, 251, 74);
    expectRect(placeButtons(text, ButtonRow::Single, 120).rects[1], 88, 48, 188, 74);
    BoxSize size = boxWindowSize(text, {3, 3, 19}, 120);
    EXPECT_EQ(size.width, 263 + 13 + 6);
    EXPECT_EQ(size.height, 74 + 13 + 19 + 6);
    EXPECT_EQ(messageFontHeight(120), 15);

    // 144 DPI: everything half as large again.
    text = messageRect(150, 24, 144);
    expectRect(text, 15, 15, 315, 39);
    triple = placeButtons(text, ButtonRow::Triple, 144); // centre 165
    expectRect(triple.rects[0], 15, 57, 105, 89);
    expectRect(triple.rects[1], 120, 57, 210, 89);
    expectRect(triple.rects[2], 225, 57, 315, 89);
    pair = placeButtons(text, ButtonRow::Pair, 144);
    expectRect(pair.rects[0], 30, 57, 150, 89);
    expectRect(pair.rects[2], 180, 57, 300, 89);
    expectRect(placeButtons(text, ButtonRow::Single, 144).rects[1], 105, 57, 225, 89);
    size = boxWindowSize(text, {3, 3, 19}, 144);
    EXPECT_EQ(size.width, 315 + 15 + 6);
    EXPECT_EQ(size.height, 89 + 15 + 19 + 6);
    EXPECT_EQ(messageFontHeight(144), 18);
    EXPECT_EQ(messageFontHeight(96), 12);
}
