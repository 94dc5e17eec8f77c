#include "msgbox/msgbox_dialog.h"

#include "core/text.h"
#include "framework/system_colours.h"
#include "framework/wide_text.h"

const CommandBinding<MsgBoxDialog> MsgBoxDialog::kCommands[3] = {
    {kLeftButtonId, BN_CLICKED, &MsgBoxDialog::onLeftButton},
    {kMiddleButtonId, BN_CLICKED, &MsgBoxDialog::onMiddleButton},
    {kRightButtonId, BN_CLICKED, &MsgBoxDialog::onRightButton},
};

namespace {
bool isBoxControl(int id) {
    return id >= kLeftButtonId && id <= kRightButtonId;
}

// The system DPI, which the dialog font of the template and the frame metrics already follow.
int systemDpi() {
    ClientDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}
} // namespace

MsgBoxDialog::MsgBoxDialog(const char* message, const char* caption, int boxType, int useColour,
                           COLORREF backColour)
    : CommandDialog(kTemplateId, kCommands), boxType_(boxType), useColour_(useColour == 1) {
    copyText(caption_, sizeof caption_, caption != nullptr ? caption : "");
    copyText(message_, sizeof message_, message != nullptr ? message : "");
    if (useColour_)
        backColour_ = backColour;
}

bool MsgBoxDialog::OnInitDialog() {
    // The library's windows may all have been closed when the setting last changed.
    askHighContrast();
    if (useColour_)
        backBrush_.attach(CreateSolidBrush(backColour_));
    arrangeControls();
    MessageBeep(MB_ICONASTERISK);
    // The first visible button takes the focus and becomes the default one, so Return presses
    // it, as in the system's own message box.
    ButtonSet buttons = buttonSetFor(boxType_);
    for (int i = 0; i < 3; ++i) {
        if (buttons.captions[i] != nullptr) {
            SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(kButtonIds[i])),
                         TRUE);
            break;
        }
    }
    return false;
}

void MsgBoxDialog::arrangeControls() {
    HWND text = item(kMessageId);
    int dpi = systemDpi();
    messageFont_.attach(CreateFontW(messageFontHeight(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                                    WideText("ＭＳ Ｐ明朝").get()));
    setItemFont(kMessageId, messageFont_.get());

    // Measure what the static really holds, in the font it really uses. DT_CALCRECT alone
    // breaks lines only at line feeds and treats "&" as the static does.
    setItemText(kMessageId, message_);
    wchar_t shown[kMessageBytes]; // never more characters than the text had bytes
    GetWindowTextW(text, shown, static_cast<int>(kMessageBytes));
    RECT measured;
    GetClientRect(text, &measured);
    {
        ClientDC dc(text);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
        SelectObjectScope select(dc.get(), font);
        DrawTextW(dc.get(), shown, -1, &measured, DT_CALCRECT);
    }
    // A border on the static would widen it; the template's static has none.
    AdjustWindowRectEx(&measured, static_cast<DWORD>(GetWindowLongW(text, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(text, GWL_EXSTYLE)) &
                           ~static_cast<DWORD>(WS_EX_CLIENTEDGE));
    BoxRect message =
        messageRect(measured.right - measured.left, measured.bottom - measured.top, dpi);
    MoveWindow(text, message.left, message.top, message.width(), message.height(), TRUE);

    for (int id : kButtonIds)
        showItem(id, false);
    ButtonSet buttons = buttonSetFor(boxType_);
    for (int i = 0; i < 3; ++i) {
        if (buttons.captions[i] != nullptr) {
            setItemText(kButtonIds[i], buttons.captions[i]);
            showItem(kButtonIds[i], true);
        }
    }
    ButtonPlacement placement = placeButtons(message, buttons.row, dpi);
    for (int i = 0; i < 3; ++i) {
        if (placement.placed[i]) {
            const BoxRect& r = placement.rects[i];
            MoveWindow(item(kButtonIds[i]), r.left, r.top, r.width(), r.height(), TRUE);
        }
    }

    BoxSize size = boxWindowSize(message,
                                 {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                                  GetSystemMetrics(SM_CYCAPTION)},
                                 dpi);
    // Only the size: where it opens is centerWindow's, on the owner's monitor.
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    setTitle(caption_);
    centerWindow();
}

HBRUSH MsgBoxDialog::OnCtlColor(HDC dc, HWND control, int kind) {
    HBRUSH brush = Dialog::OnCtlColor(dc, control, kind);
    if (highContrastOn()) // the user's colours, whatever the caller asked for
        return applyColours(dc, schemeColours(Painted::DialogFace, true), nullptr);
    if (!useColour_)
        return brush;
    if (kind == kCtlColorDialog && backBrush_) {
        SetBkColor(dc, backColour_);
        brush = backBrush_.get();
    }
    // The text and the space around the buttons show the box's own colour.
    if (isBoxControl(GetDlgCtrlID(control))) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}
