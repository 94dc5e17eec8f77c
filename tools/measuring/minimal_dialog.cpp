// minimal_dialog.exe: what any dialog program costs to start, to set Keyvane's start-up beside.
// One modal dialog from a resource template; no other work. minimal_dialog_styled.exe is the
// same program with what every program with themed controls needs, as Keyvane has it: the
// manifest and the InitCommonControls call.
#include <windows.h>

#ifdef KEYVANE_MINIMAL_STYLED
#include <commctrl.h>
#endif

#include "tools/measuring/minimal_dialog.h"

namespace {
INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    // The close box and Escape arrive as IDCANCEL.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef KEYVANE_MINIMAL_STYLED
    InitCommonControls();
#endif
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, dialogProc, 0));
}
