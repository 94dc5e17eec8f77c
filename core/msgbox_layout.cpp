#include "core/msgbox_layout.h"

namespace {
// Shift-JIS at run time (the compiler converts these literals); "ｷｬﾝｾﾙ" is half-width katakana.
const char kOk[] = "O K";
const char kCancel[] = "ｷｬﾝｾﾙ";
const char kAbort[] = "中 止";
const char kRetry[] = "再試行";
const char kIgnore[] = "無 視";
const char kYes[] = "は い";
const char kNo[] = "いいえ";

const ButtonSet kButtonSets[6] = {
    {{nullptr, kOk, nullptr}, ButtonRow::Single},   // MB_OK
    {{kOk, nullptr, kCancel}, ButtonRow::Pair},     // MB_OKCANCEL
    {{kAbort, kRetry, kIgnore}, ButtonRow::Triple}, // MB_ABORTRETRYIGNORE
    {{kYes, kNo, kCancel}, ButtonRow::Triple},      // MB_YESNOCANCEL
    {{kYes, nullptr, kNo}, ButtonRow::Pair},        // MB_YESNO
    {{kRetry, nullptr, kCancel}, ButtonRow::Pair},  // MB_RETRYCANCEL
};

// IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7; hidden buttons give
// their index.
const int kResults[6][3] = {
    {0, 1, 2}, {1, 1, 2}, {3, 4, 5}, {6, 7, 2}, {6, 1, 7}, {4, 1, 2},
};

bool knownType(int boxType) {
    return boxType >= 0 && boxType <= 5;
}

constexpr int kMargin = 10;
constexpr int kMinTextWidth = 200;
constexpr int kTextToButtons = 12;
constexpr int kButtonHeight = 21;

BoxRect button(int left, int top, int width) {
    return {left, top, left + width, top + kButtonHeight};
}
} // namespace

ButtonSet buttonSetFor(int boxType) {
    return kButtonSets[knownType(boxType) ? boxType : 0];
}

BoxRect messageRect(int textWidth, int textHeight) {
    int width = textWidth >= kMinTextWidth ? textWidth : kMinTextWidth;
    return {kMargin, kMargin, width + kMargin, textHeight + kMargin};
}

ButtonPlacement placeButtons(const BoxRect& message, ButtonRow row) {
    ButtonPlacement placement{};
    int c = message.width() / 2;
    int top = message.bottom + kTextToButtons;
    switch (row) {
    case ButtonRow::Single:
        placement.placed[1] = true;
        placement.rects[1] = button(c - 30, top, 80);
        break;
    case ButtonRow::Pair:
        placement.placed[0] = placement.placed[2] = true;
        placement.rects[0] = button(c - 80, top, 80);
        placement.rects[2] = button(c + 20, top, 80);
        break;
    case ButtonRow::Triple:
        placement.placed[0] = placement.placed[1] = placement.placed[2] = true;
        placement.rects[0] = button(c - 90, top, 60);
        placement.rects[1] = button(c - 20, top, 60);
        placement.rects[2] = button(c + 50, top, 60);
        break;
    }
    return placement;
}

BoxSize boxWindowSize(const BoxRect& message, const FrameMetrics& frame) {
    int buttonsBottom = message.bottom + kTextToButtons + kButtonHeight;
    return {message.right + kMargin + 2 * frame.cxDlgFrame,
            buttonsBottom + kMargin + frame.cyCaption + 2 * frame.cyDlgFrame};
}

int resultForButton(int boxType, int index) {
    if (index < 0 || index > 2)
        return index;
    return knownType(boxType) ? kResults[boxType][index] : index;
}
