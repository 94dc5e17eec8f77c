#include "app/message_owner.h"

#include <windows.h>

#include "app/resources/resource.h"
#include "core/program_info.h"
#include "framework/application.h"
#include "framework/dialog.h"
#include "framework/screen_capture.h"
#include "framework/wide_text.h"

namespace {
// The main window's centre once it is placed (it is hidden still while it asks for the PIN and
// loads the List); before it exists, the primary monitor's work area's, where it centres itself.
POINT mainWindowCentre(HWND main) {
    RECT area{};
    if (main == nullptr || !GetWindowRect(main, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}
} // namespace

int OverMainWindow::show(const char* text, int type) {
    Application* app = Application::current();
    Dialog* main = app != nullptr ? app->mainWindow() : nullptr;
    HWND mainWindow = main != nullptr ? main->hwnd() : nullptr;
    if (mainWindow != nullptr && IsWindowVisible(mainWindow))
        return boxes_.show(text, type);

    // Of no size, so nothing of it shows but its taskbar button, which brings the message up.
    POINT centre = mainWindowCentre(mainWindow);
    HINSTANCE module = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"Static", WideText(kProductName).get(), WS_POPUP, centre.x,
                                 centre.y, 0, 0, nullptr, nullptr, module, nullptr);
    if (owner == nullptr)
        return boxes_.show(text, type);
    applyCaptureRule(owner);
    SendMessageW(owner, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(module, MAKEINTRESOURCEW(IDI_KEYVANE))));
    ShowWindow(owner, SW_SHOWNA);
    int result = boxes_.show(text, type);
    DestroyWindow(owner);
    return result;
}
