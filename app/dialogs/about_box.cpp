#include "app/dialogs/about_box.h"

#include <cwchar>

#include "app/look.h"
#include "core/program_info.h"
#include "app/resources/resource.h"
#include "core/text.h"
#include "framework/wide_text.h"
#include "framework/window_dpi.h"

AboutBox::AboutBox() : Dialog(IDD_ABOUT_BOX) {}

// The static takes the icon's size, as it took the size of the one the template named.
void AboutBox::OnDpiLook(int dpi) {
    HICON icon = loadIconForDpi(GetModuleHandleW(nullptr), IDI_KEYVANE, SM_CXICON, dpi);
    SendDlgItemMessageW(hwnd(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    icon_.attach(icon);
}

bool AboutBox::OnInitDialog() {
    char text[128];
    formatText(text, sizeof text, "%sのﾊﾞｰｼﾞｮﾝ情報", kProductName);
    setTitle(text);
    // The file name is a path's part, in UTF-8; the rest is the program's own text.
    const int32_t* version = programInfo.fileVersion;
    formatText(text, sizeof text, "  Version %d.%d.%d.%d", version[0], version[1], version[2],
               version[3]);
    WideText file(programInfo.programFile, Encoding::Utf8), rest(text);
    wchar_t line[MAX_PATH + 64]; // a file name takes at most 255 characters
    std::swprintf(line, sizeof line / sizeof line[0], L"%ls%ls", file.get(), rest.get());
    SetDlgItemTextW(hwnd(), IDC_ABOUT_VERSION, line);
    setItemText(IDC_ABOUT_NOTICE, programInfo.noticeText);
    placeCentred();
    return true; // the focus goes to OK
}

HBRUSH AboutBox::OnCtlColor(HDC dc, HWND control, int kind) {
    HBRUSH brush = Dialog::OnCtlColor(dc, control, kind);
    switch (GetDlgCtrlID(control)) {
    case IDOK:
    case IDC_ABOUT_VERSION:
    case IDC_ABOUT_NOTICE:
    case IDC_ABOUT_ICON:
        return paintAs(dc, Painted::DialogFace);
    default:
        break;
    }
    return kind == kCtlColorDialog ? paintAs(dc, Painted::DialogFace) : brush;
}
