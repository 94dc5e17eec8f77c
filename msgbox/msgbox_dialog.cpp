#include "msgbox/msgbox_dialog.h"

#include "core/text.h"
#include "framework/system_colours.h"
#include "framework/wide_text.h"
#include "framework/window_dpi.h"

const CommandBinding<MsgBoxDialog> MsgBoxDialog::kCommands[3] = {
    {kLeftButtonId, BN_CLICKED, &MsgBoxDialog::onLeftButton},
    {kMiddleButtonId, BN_CLICKED, &MsgBoxDialog::onMiddleButton},
    {kRightButtonId, BN_CLICKED, &MsgBoxDialog::onRightButton},
};

namespace {
bool isBoxControl(int id) {
    return id >= kLeftButtonId && id <= kRightButtonId;
}

HFONT createMessageFont(int dpi) {
    return CreateFontW(messageFontHeight(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN,
                       WideText("ＭＳ Ｐ明朝").get());
}

FrameMetrics frameMetricsFor(int dpi) {
    return {systemMetricForDpi(SM_CXDLGFRAME, dpi), systemMetricForDpi(SM_CYDLGFRAME, dpi),
            systemMetricForDpi(SM_CYCAPTION, dpi)};
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
    setTitle(caption_);
    sizeAroundTextAndCentre();
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

SIZE MsgBoxDialog::OnGetDpiScaledSize(int dpi) const {
    Font font(createMessageFont(dpi));
    BoxSize size = boxWindowSize(messageRectFor(font.get(), dpi), frameMetricsFor(dpi), dpi);
    return {size.width, size.height};
}

// Measure what the static really holds. DT_CALCRECT alone breaks lines only at line feeds and
// treats "&" as the static does.
PixelRect MsgBoxDialog::messageRectFor(HFONT font, int dpi) const {
    HWND text = item(kMessageId);
    wchar_t shown[kMessageBytes]; // never more characters than the text had bytes
    GetWindowTextW(text, shown, static_cast<int>(kMessageBytes));
    RECT measured;
    GetClientRect(text, &measured);
    {
        ClientDC dc(text);
        SelectObjectScope select(dc.get(), font);
        DrawTextW(dc.get(), shown, -1, &measured, DT_CALCRECT);
    }
    // A border on the static would widen it; the template's static has none.
    measured =
        windowRectForClient(measured, static_cast<DWORD>(GetWindowLongW(text, GWL_STYLE)), false,
                            static_cast<DWORD>(GetWindowLongW(text, GWL_EXSTYLE)) &
                                ~static_cast<DWORD>(WS_EX_CLIENTEDGE),
                            dpi);
    return messageRect(measured.right - measured.left, measured.bottom - measured.top, dpi);
}

void MsgBoxDialog::placeControls() {
    int dpi = Dialog::dpi();
    // The static lets go of its previous font before that is deleted.
    HFONT font = createMessageFont(dpi);
    setItemFont(kMessageId, font);
    messageFont_.attach(font);
    setItemText(kMessageId, message_);
    PixelRect message = messageRect_ = messageRectFor(font, dpi);
    MoveWindow(item(kMessageId), message.left, message.top, message.width(), message.height(),
               TRUE);

    // Each button shown or hidden once: hiding the one with the focus, at a DPI change, would
    // take the focus away from it.
    ButtonSet buttons = buttonSetFor(boxType_);
    for (int i = 0; i < 3; ++i) {
        if (buttons.captions[i] != nullptr)
            setItemText(kButtonIds[i], buttons.captions[i]);
        showItem(kButtonIds[i], buttons.captions[i] != nullptr);
    }
    ButtonPlacement placement = placeButtons(message, buttons.row, dpi);
    for (int i = 0; i < 3; ++i) {
        if (placement.placed[i]) {
            const PixelRect& r = placement.rects[i];
            MoveWindow(item(kButtonIds[i]), r.left, r.top, r.width(), r.height(), TRUE);
        }
    }
}

void MsgBoxDialog::sizeAroundTextAndCentre() {
    // Around the text as placeControls measured it; only the size: where the box opens is
    // placeCentred's, on the owner's monitor.
    BoxSize size = boxWindowSize(messageRect_, frameMetricsFor(dpi()), dpi());
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    placeCentred();
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
