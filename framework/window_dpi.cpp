#include "framework/window_dpi.h"

#include "framework/gdi.h"

namespace {
// The address of a function that older systems lack, or nullptr.
template <class F> F lookUp(const wchar_t* module, const char* name) {
    HMODULE loaded = LoadLibraryW(module); // already loaded: kept loaded to the end
    return loaded != nullptr
               ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, name)))
               : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, const wchar_t*, int, int, HICON*);

constexpr int kDialogDisableAll = 1;            // DDC_DISABLE_ALL
constexpr int kControlDisableFontAndLayout = 3; // DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT

BOOL CALLBACK keepControlScalingOurs(HWND control, LPARAM function) {
    reinterpret_cast<SetDialogControlDpiChangeBehaviorFn>(function)(
        control, kControlDisableFontAndLayout, kControlDisableFontAndLayout);
    return TRUE;
}
} // namespace

int systemDpi() {
    ClientDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int windowDpi(HWND window) {
    static const auto forWindow = lookUp<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    UINT dpi = forWindow != nullptr ? forWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : systemDpi();
}

int systemMetricForDpi(int index, int dpi) {
    static const auto forDpi =
        lookUp<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    return forDpi != nullptr ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT windowRectForClient(RECT client, DWORD style, bool hasMenu, DWORD exStyle, int dpi) {
    static const auto forDpi =
        lookUp<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi != nullptr)
        forDpi(&client, style, hasMenu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&client, style, hasMenu ? TRUE : FALSE, exStyle);
    return client;
}

void keepDialogScalingOurs(HWND dialog) {
    static const auto forDialog =
        lookUp<SetDialogDpiChangeBehaviorFn>(L"user32.dll", "SetDialogDpiChangeBehavior");
    static const auto forControl = lookUp<SetDialogControlDpiChangeBehaviorFn>(
        L"user32.dll", "SetDialogControlDpiChangeBehavior");
    if (forDialog != nullptr)
        forDialog(dialog, kDialogDisableAll, kDialogDisableAll);
    if (forControl != nullptr)
        EnumChildWindows(dialog, keepControlScalingOurs, reinterpret_cast<LPARAM>(forControl));
}

HICON loadIconForDpi(HINSTANCE module, int iconId, int metric, int dpi) {
    // Only in version 6 of the common controls, which the manifest asks for.
    static const auto scaleDown =
        lookUp<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
    int size = systemMetricForDpi(metric, dpi);
    HICON icon = nullptr;
    if (scaleDown == nullptr ||
        FAILED(scaleDown(module, MAKEINTRESOURCEW(iconId), size, size, &icon)))
        icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0));
    return icon;
}
