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
constexpr int kMessageFontHeight = 12;

// Each button's left and right edge as an offset from the centre of the text. Scaling edges
// rather than widths keeps a row symmetric and inside the text's width at every DPI: three
// buttons span exactly the minimum width.
struct RowEdges {
    int count;
    int indices[3];
    int edges[3][2];
};
const RowEdges kRows[3] = {
    {1, {1}, {{-40, 40}}},                               // Single
    {2, {0, 2}, {{-90, -10}, {10, 90}}},                 // Pair
    {3, {0, 1, 2}, {{-100, -40}, {-30, 30}, {40, 100}}}, // Triple
};
} // namespace

ButtonSet buttonSetFor(int boxType) {
    return kButtonSets[knownType(boxType) ? boxType : 0];
}

PixelRect messageRect(int textWidth, int textHeight, int dpi) {
    int margin = scaleToDpi(kMargin, dpi);
    int minWidth = scaleToDpi(kMinTextWidth, dpi);
    int width = textWidth >= minWidth ? textWidth : minWidth;
    return {margin, margin, width + margin, textHeight + margin};
}

ButtonPlacement placeButtons(const PixelRect& message, ButtonRow row, int dpi) {
    ButtonPlacement placement{};
    const RowEdges& shape = kRows[static_cast<int>(row)];
    int centre = message.left + message.width() / 2;
    int top = message.bottom + scaleToDpi(kTextToButtons, dpi);
    int bottom = top + scaleToDpi(kButtonHeight, dpi);
    for (int k = 0; k < shape.count; ++k) {
        int i = shape.indices[k];
        placement.placed[i] = true;
        placement.rects[i] = {centre + scaleToDpi(shape.edges[k][0], dpi), top,
                              centre + scaleToDpi(shape.edges[k][1], dpi), bottom};
    }
    return placement;
}

BoxSize boxWindowSize(const PixelRect& message, const FrameMetrics& frame, int dpi) {
    int margin = scaleToDpi(kMargin, dpi);
    int buttonsBottom =
        message.bottom + scaleToDpi(kTextToButtons, dpi) + scaleToDpi(kButtonHeight, dpi);
    return {message.right + margin + 2 * frame.cxDlgFrame,
            buttonsBottom + margin + frame.cyCaption + 2 * frame.cyDlgFrame};
}

int messageFontHeight(int dpi) {
    return scaleToDpi(kMessageFontHeight, dpi);
}

int resultForButton(int boxType, int index) {
    if (index < 0 || index > 2)
        return index;
    return knownType(boxType) ? kResults[boxType][index] : index;
}
