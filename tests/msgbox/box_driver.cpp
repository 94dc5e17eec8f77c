#include "tests/msgbox/box_driver.h"

#include <gtest/gtest.h>

#include <thread>

#include "msgbox/chimebox.h"

namespace {
struct BoxSearch {
    HWND found;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM search) {
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (IsWindowVisible(hwnd) && std::string(className) == "#32770") {
        reinterpret_cast<BoxSearch*>(search)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND waitForBox(DWORD thread, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        BoxSearch search{nullptr};
        EnumThreadWindows(thread, findBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        Sleep(1);
    }
    return nullptr;
}

bool waitUntilGone(HWND box, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(1);
    }
    return true;
}
} // namespace

int runBox(const BoxCall& call, const std::function<void(HWND box)>& act) {
    DWORD thread = GetCurrentThreadId();
    bool appeared = true;
    bool ended = true;
    std::thread helper([&] {
        HWND box = waitForBox(thread, 5000);
        if (box == nullptr) {
            appeared = false;
            return;
        }
        // Sent across threads, so the box has painted itself by the time act looks at it.
        RedrawWindow(box, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        act(box);
        if (!waitUntilGone(box, 5000)) {
            ended = false;
            postCommand(box, IDCANCEL);
        }
    });
    int result = BootMsgBox(call.message, call.caption, call.type, call.useColour, call.backColour);
    helper.join();
    const char* caption = call.caption != nullptr ? call.caption : "(none)";
    EXPECT_TRUE(appeared) << "no box appeared for \"" << caption << "\"";
    EXPECT_TRUE(ended) << "the box \"" << caption << "\" did not end";
    return result;
}

void clickButton(HWND box, int id) {
    PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
}

void pressKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void postCommand(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

HWND focusIn(HWND box) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

RECT rectInBox(HWND box, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string windowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool underWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}
