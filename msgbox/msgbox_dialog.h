// The dialog behind BootMsgBox: template 2000, laid out around its measured text.
#pragma once

#include <windows.h>

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "core/msgbox_layout.h"

class MsgBoxDialog : public CommandDialog<MsgBoxDialog> {
public:
    // Copies both texts, cutting them at a character boundary when they exceed the buffers.
    // useColour other than 1 keeps the standard colours and ignores backColour.
    MsgBoxDialog(const char* message, const char* caption, int boxType, int useColour,
                 COLORREF backColour);

protected:
    // The text and the buttons placed at dpi, at start and at each DPI change.
    void OnDpiLook(int /*dpi*/) override { placeControls(); }
    SIZE OnGetDpiScaledSize(int dpi) const override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;

private:
    static const CommandBinding<MsgBoxDialog> kCommands[3];

    // Where the message static goes for its text in this font at dpi.
    PixelRect messageRectFor(HFONT font, int dpi) const;
    void placeControls();
    // At start: the window sized around the text and buttons, and centred on its owner.
    void sizeAroundTextAndCentre();
    void onLeftButton() { endWithButton(0); }
    void onMiddleButton() { endWithButton(1); }
    void onRightButton() { endWithButton(2); }
    void endWithButton(int index) { EndModal(resultForButton(boxType_, index)); }

    char caption_[kCaptionBytes];
    char message_[kMessageBytes];
    int boxType_;
    bool useColour_;
    COLORREF backColour_ = 0;
    PixelRect messageRect_{}; // where placeControls put the text
    // Declared in this order so that the font is deleted before the brush.
    Brush backBrush_;
    Font messageFont_;
};
