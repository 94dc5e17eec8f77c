#include "framework/window_placement_win.h"

#include <cstddef>

#include "core/window_placement.h"

namespace {
PixelRect pixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Up to kMaxMonitors, the primary one first: a window without an owner opens there. No standard
// containers: the message-box library links this layer too, and stays small.
constexpr std::size_t kMaxMonitors = 16;
struct Monitors {
    DisplayMonitor list[kMaxMonitors];
    std::size_t count;
};

BOOL CALLBACK collectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM found) {
    auto& monitors = *reinterpret_cast<Monitors*>(found);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitors.count == kMaxMonitors || !GetMonitorInfoW(handle, &info))
        return TRUE;
    DisplayMonitor monitor{pixelRect(info.rcMonitor), pixelRect(info.rcWork)};
    std::size_t at = monitors.count++;
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
        monitors.list[at] = monitors.list[0];
        at = 0;
    }
    monitors.list[at] = monitor;
    return TRUE;
}

void listMonitors(Monitors& monitors) {
    monitors.count = 0;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.count == 0) { // no answer: the primary monitor as the system gives it
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        monitors.list[monitors.count++] = {pixelRect(info.rcMonitor), pixelRect(info.rcWork)};
    }
}

// What the window is centred on: the owner's rectangle while it is shown, else the work area of
// the monitor it was shown on, which the system remembers.
PixelRect ownerArea(HWND owner) {
    RECT rect{};
    if (IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &rect);
        return pixelRect(rect);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &info);
    return pixelRect(info.rcWork);
}
} // namespace

void placeCentred(HWND window) {
    Monitors monitors;
    listMonitors(monitors);
    HWND owner = GetWindow(window, GW_OWNER);
    PixelRect around = owner != nullptr ? ownerArea(owner) : PixelRect{};
    // Moved onto a monitor at another DPI, the window lays itself out again at another size:
    // that size is centred once more.
    SIZE placed{0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        RECT box;
        GetWindowRect(window, &box);
        if (box.right - box.left == placed.cx && box.bottom - box.top == placed.cy)
            break;
        placed = {box.right - box.left, box.bottom - box.top};
        ScreenPoint at = placeCentred(placed.cx, placed.cy, owner != nullptr ? &around : nullptr,
                                      monitors.list, monitors.count);
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
