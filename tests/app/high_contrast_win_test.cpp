// The windows paint the colour rule's pairs, and repaint at once when high contrast changes. Wine
// cannot switch it on (SPI_SETHIGHCONTRAST fails with error 1439): the test gives the answer.
#include <gtest/gtest.h>

#include "app/dialogs/main_window.h"
#include "app/look.h"
#include "app/resources/resource.h"
#include "core/entry_store.h"
#include "framework/system_colours.h"
#include "msgbox/msgbox_dialog.h"

namespace {
bool contrast = true;
struct : HighContrastQuery {
    bool on() override { return contrast; }
} query;
const COLORREF kUnset = RGB(1, 2, 3); // a text colour nobody set
COLORREF expected(SchemeColour colour) {
    return colour.source == SchemeColour::kUnset  ? kUnset
           : colour.source == SchemeColour::kOurs ? kOurColours[colour.value]
                                                  : GetSysColor(static_cast<int>(colour.value));
}

// A control's (0: the dialog's) pixel in a corner without text, and the text colour set for it.
void check(HWND dialog, int id, UINT message, Painted what, bool topLeft = false) {
    HWND control = id != 0 ? GetDlgItem(dialog, id) : dialog;
    ColourPair pair = schemeColours(what, contrast);
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    POINT at = topLeft ? POINT{1, 1} : POINT{client.right - 2, client.bottom - 2};
    EXPECT_EQ(GetPixel(dc, at.x, at.y), expected(pair.back)) << id;
    SetTextColor(dc, kUnset);
    SendMessageW(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(GetTextColor(dc), expected(pair.text)) << id;
    ReleaseDC(control, dc);
}

// On a timer, so the windows paint in between: copy, check with high contrast on, off, and end.
int step = 0;
void CALLBACK act(HWND, UINT, UINT_PTR, DWORD) {
    HWND main = GetActiveWindow();
    if (step++ == 0) {
        SendDlgItemMessageW(main, IDC_MAIN_LIST, LB_SETCURSEL, 0, 0);
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_PASSWORD_FIELD, STN_CLICKED), 0);
        return;
    }
    SCOPED_TRACE(contrast ? "on" : "off");
    check(main, IDC_MAIN_ID_LABEL, WM_CTLCOLORSTATIC, Painted::DialogFace, true);
    check(main, IDC_MAIN_LIST, WM_CTLCOLORLISTBOX, Painted::List);
    check(main, IDC_MAIN_PASSWORD_FIELD, WM_CTLCOLORSTATIC, Painted::CopiedField);
    contrast = !contrast;
    PostMessageW(main, contrast ? WM_CLOSE : WM_SYSCOLORCHANGE, 0, 0);
}
} // namespace

TEST(HighContrast, TheWindowsPaintTheSystemPairsWhileItIsOnAndRepaintWhenItChanges) {
    createPalette();
    loginState = LoginState::Unset; // listed, whatever an earlier test's PIN prompt did
    ASSERT_EQ(addEntry("entry", "id", "pw", ""), 0);
    setHighContrastQuery(&query);
    askHighContrast();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, act);
    MainWindow().DoModal();
    KillTimer(nullptr, timer);
    EXPECT_EQ(step, 3);
    // The box asks for itself, and the caller's back colour gives way.
    timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = GetActiveWindow();
        check(box, 0, WM_CTLCOLORDLG, Painted::DialogFace, true);
        PostMessageW(box, WM_CLOSE, 0, 0);
    });
    MsgBoxDialog("box", "", 0, 1, RGB(255, 0, 0)).DoModal();
    KillTimer(nullptr, timer);
    setHighContrastQuery(nullptr);
    clearEntries();
}
