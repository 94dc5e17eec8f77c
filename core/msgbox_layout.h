// The message box's arithmetic: which buttons each box type shows and with which captions, where
// the text and the buttons go for a measured text, how large the window gets, and what each
// button answers. Portable (no <windows.h>), so it is tested natively as well.
// Every pixel size below is stated at 96 DPI; the functions taking a dpi scale them to it, as the
// dialog font that draws the captions grows with the box's DPI too.
#pragma once

#include <cstddef>

#include "core/dpi.h"
#include "core/pixel_rect.h"

// Control ids of dialog template 2000. The buttons' index (0, 1, 2) is their tab order.
constexpr int kTemplateId = 2000;
constexpr int kLeftButtonId = 2000;
constexpr int kMessageId = 2001;
constexpr int kMiddleButtonId = 2002;
constexpr int kRightButtonId = 2003;
constexpr int kButtonIds[3] = {kLeftButtonId, kMiddleButtonId, kRightButtonId};

// Buffer sizes, terminator included; longer texts are cut at a character boundary.
constexpr std::size_t kMessageBytes = 128;
constexpr std::size_t kCaptionBytes = 64;

enum class ButtonRow { Single, Pair, Triple };

// The buttons of one box type: a Shift-JIS caption per button index, nullptr for a hidden one.
struct ButtonSet {
    const char* captions[3];
    ButtonRow row;
};

// Types outside 0..5 get type 0's single "O K" button, so every box can be closed with the mouse.
ButtonSet buttonSetFor(int boxType);

// Where the message static goes in the box's client area, for a text that DrawTextA measured as
// textWidth x textHeight: at 10, 10, at least 200 wide.
PixelRect messageRect(int textWidth, int textHeight, int dpi = kBaseDpi);

// The buttons of a row, 21 high and 12 pixels below the text, centred under it: one of 80, two
// of 80 with 20 between them, or three of 60 with 10 between them.
struct ButtonPlacement {
    bool placed[3]; // by button index; hidden buttons are not moved
    PixelRect rects[3];
};
ButtonPlacement placeButtons(const PixelRect& message, ButtonRow row, int dpi = kBaseDpi);

// GetSystemMetricsForDpi(SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION) at the box's DPI.
struct FrameMetrics {
    int cxDlgFrame;
    int cyDlgFrame;
    int cyCaption;
};

// The window's outer size: 10 pixels of margin right of the text and below the buttons, plus
// the frame and the caption bar (given at the box's DPI).
struct BoxSize {
    int width;
    int height;
};
BoxSize boxWindowSize(const PixelRect& message, const FrameMetrics& frame, int dpi = kBaseDpi);

// The message's font height in pixels: 12 at 96 DPI.
int messageFontHeight(int dpi);

// The box's result for a click on the button with this index: the platform's IDOK..IDNO for the
// buttons a type shows, the index itself for the ones it hides.
int resultForButton(int boxType, int index);
