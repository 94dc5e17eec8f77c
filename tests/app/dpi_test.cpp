// Each window moved to another DPI is laid out exactly as if it had been opened there, and
// moved back, exactly as before. Wine moves no window between DPIs, so the test asks and tells
// each window as Windows would (WM_GETDPISCALEDSIZE, then WM_DPICHANGED with that size), and
// opens the same windows fresh at 144 DPI in a second run of this program: wine reads the
// user's LogPixels at every process start, where Windows waits for the next sign-in.
// Each window opens at the system's DPI; the move back is to that DPI.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/about_box.h"
#include "app/dialogs/entry_editor.h"
#include "app/dialogs/main_window.h"
#include "app/dialogs/pin_prompt.h"
#include "core/app_message.h"
#include "framework/window_dpi.h"
#include "msgbox/msgbox_dialog.h"

namespace {
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE
const char kSnapshotDir[] = "KEYVANE_DPI_SNAPSHOTS";

bool underWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// What a user sees of a window: its size, its icons' sizes, each control's place, visibility
// and font height, and the client area's pixels.
struct Snapshot {
    std::vector<int> layout;
    int width = 0, height = 0; // of the client area
    std::vector<unsigned> pixels;
    std::vector<RECT> checkBoxes; // radio buttons and check boxes
};

bool isCheckBox(HWND control) {
    LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return GetDlgCtrlID(control) > 0 && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                                         type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

Snapshot snapshot(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Snapshot shot;
    RECT rect;
    GetWindowRect(window, &rect);
    shot.layout = {rect.right - rect.left, rect.bottom - rect.top};
    for (int which : {ICON_BIG, ICON_SMALL}) { // the width of each icon the window shows
        ICONINFO icon{};
        BITMAP image{};
        if (GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, WPARAM(which), 0)),
                        &icon)) {
            GetObjectW(icon.hbmColor, sizeof image, &image);
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
        }
        shot.layout.push_back(image.bmWidth);
    }
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
        shot.layout.insert(shot.layout.end(),
                           {GetDlgCtrlID(c), IsWindowVisible(c), rect.left, rect.top, rect.right,
                            rect.bottom, static_cast<int>(font.lfHeight)});
        if (isCheckBox(c))
            shot.checkBoxes.push_back(rect);
    }
    GetClientRect(window, &rect);
    shot.width = rect.right;
    shot.height = rect.bottom;
    BITMAPINFO format{};
    format.bmiHeader = {
        sizeof format.bmiHeader, shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HDC copy = CreateCompatibleDC(windowDc);
    HBITMAP canvas = CreateDIBSection(copy, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(copy, canvas);
    BitBlt(copy, 0, 0, shot.width, shot.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    auto* first = static_cast<unsigned*>(bits);
    shot.pixels.assign(first, first + shot.width * shot.height);
    SelectObject(copy, previous);
    DeleteObject(canvas);
    DeleteDC(copy);
    ReleaseDC(window, windowDc);
    return shot;
}

// Wine keeps a window's frame and caption at the system's DPI, so after a move its client area
// is larger than a fresh one's there: the pixels are compared over the fresh one's. Wine's
// buttons also draw a radio button's or check box's mark at the DPI GetDpiForWindow gives,
// which wine leaves at the system's: those controls are compared by place and font only.
void expectSameLook(const Snapshot& moved, const Snapshot& fresh) {
    EXPECT_EQ(moved.layout, fresh.layout);
    if (!underWine()) {
        EXPECT_EQ(moved.width, fresh.width);
        EXPECT_EQ(moved.height, fresh.height);
    }
    ASSERT_GE(moved.width, fresh.width);
    ASSERT_GE(moved.height, fresh.height);
    int differing = 0;
    for (int y = 0; y < fresh.height; ++y) {
        for (int x = 0; x < fresh.width; ++x) {
            bool inCheckBox = false;
            for (const RECT& box : moved.checkBoxes)
                inCheckBox = inCheckBox || PtInRect(&box, {x, y});
            auto at = [x, y](const Snapshot& s) { return s.pixels[size_t(y * s.width + x)]; };
            differing += at(moved) != at(fresh) && !(underWine() && inCheckBox);
        }
    }
    EXPECT_EQ(differing, 0) << "of " << fresh.width << " x " << fresh.height << " pixels";
}

// As Windows moves a window to a monitor at dpi: the size it asks for, then the change.
void moveToDpi(HWND window, int dpi) {
    SIZE size{};
    EXPECT_TRUE(
        SendMessageW(window, kGetDpiScaledSize, WPARAM(dpi), reinterpret_cast<LPARAM>(&size)));
    RECT suggested{0, 0, size.cx, size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Opens each window in turn; once it is up, act sees it, and it is closed.
std::function<void(const char* name, HWND window)> act;
const char* current;
void CALLBACK whenUp(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front == nullptr || !IsWindowVisible(front) || current == nullptr)
        return;
    act(current, front);
    current = nullptr;
    PostMessageW(front, WM_CLOSE, 0, 0);
}

void openEachWindow() {
    const std::pair<const char*, std::function<void()>> windows[] = {
        {"main", [] { MainWindow().DoModal(); }},
        {"editor", [] { EntryEditor().DoModal(); }},
        {"pin", [] { PinPrompt().DoModal(); }},
        {"about", [] { AboutBox().DoModal(); }},
        {"box", [] { MsgBoxDialog("\x83\x65\x83\x58\x83\x67\n2", "t", 2, 1, 0xF0C8C8).DoModal(); }},
    };
    setMessageHandler([](const char*, int) { return 1; }); // the editor's no-PIN message
    UINT_PTR timer = SetTimer(nullptr, 0, 50, whenUp);
    for (const auto& window : windows) {
        current = window.first;
        window.second();
    }
    KillTimer(nullptr, timer);
    setMessageHandler(nullptr);
}

std::string snapshotPath(const char* dir, const char* name) {
    return std::string(dir) + name + ".shot";
}

void save(const Snapshot& shot, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    int counts[4] = {static_cast<int>(shot.layout.size()), shot.width, shot.height, 0};
    std::fwrite(counts, sizeof counts, 1, file);
    std::fwrite(shot.layout.data(), sizeof(int), shot.layout.size(), file);
    std::fwrite(shot.pixels.data(), sizeof(unsigned), shot.pixels.size(), file);
    std::fclose(file);
}

Snapshot load(const std::string& path) {
    Snapshot shot;
    FILE* file = std::fopen(path.c_str(), "rb");
    int counts[4] = {};
    if (file == nullptr || std::fread(counts, sizeof counts, 1, file) != 1)
        return shot;
    shot.layout.resize(static_cast<size_t>(counts[0]));
    shot.width = counts[1];
    shot.height = counts[2];
    shot.pixels.resize(static_cast<size_t>(shot.width * shot.height));
    std::fread(shot.layout.data(), sizeof(int), shot.layout.size(), file);
    std::fread(shot.pixels.data(), sizeof(unsigned), shot.pixels.size(), file);
    std::fclose(file);
    return shot;
}

int runThisProgramAt144Dpi(const char* filter) {
    const char desktop[] = "Control Panel\\Desktop";
    const DWORD dpi = 144;
    RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string command = std::string("\"") + path + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 1;
    if (CreateProcessA(path, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    // The session's prefix has no LogPixels of its own: without one, wine uses 96.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
    return static_cast<int>(code);
}
} // namespace

TEST(WindowDpi, AWindowMovedToAnotherDpiAndBackLooksAsIfOpenedThere) {
    // The second run: each window as opened at 144 DPI, kept for the first run to compare with.
    if (const char* dir = std::getenv(kSnapshotDir)) {
        act = [dir](const char* name, HWND window) {
            save(snapshot(window), snapshotPath(dir, name));
        };
        openEachWindow();
        return;
    }
    // Only wine can open the windows fresh at 144 DPI in a second run; on Windows the test
    // moves each window there and back.
    const bool fresh = underWine() && systemDpi() == 96;
    char dir[MAX_PATH] = ""; // ends with a backslash
    GetTempPathA(sizeof dir, dir);
    if (fresh) {
        SetEnvironmentVariableA(kSnapshotDir, dir);
        int exitCode =
            runThisProgramAt144Dpi("WindowDpi.AWindowMovedToAnotherDpiAndBackLooksAsIfOpenedThere");
        SetEnvironmentVariableA(kSnapshotDir, nullptr);
        ASSERT_EQ(exitCode, 0);
    }

    int seen = 0;
    act = [&](const char* name, HWND window) {
        SCOPED_TRACE(name);
        ++seen;
        const int start = windowDpi(window);
        Snapshot opened = snapshot(window);
        moveToDpi(window, 144);
        if (fresh) {
            Snapshot fresh144 = load(snapshotPath(dir, name));
            EXPECT_NE(fresh144.layout, opened.layout); // opened at 144 DPI indeed
            expectSameLook(snapshot(window), fresh144);
            DeleteFileA(snapshotPath(dir, name).c_str());
        }
        moveToDpi(window, start);
        expectSameLook(snapshot(window), opened);
    };
    openEachWindow();
    EXPECT_EQ(seen, 5);
}
