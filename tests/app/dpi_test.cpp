// Each window moved to another DPI is laid out exactly as if it had been opened there, and moved
// back, exactly as before. Wine moves no window between DPIs, so the test sends each window what
// Windows would (WM_GETDPISCALEDSIZE, then WM_DPICHANGED with that size), and opens the same
// windows fresh at 144 DPI in a second run of this program: wine reads the user's LogPixels at
// every process start, where Windows waits for the next sign-in.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
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
const char kLooksFile[] = "KEYVANE_DPI_LOOKS";
const bool kWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
using Look = std::vector<unsigned>;

// What a user sees of a window: its size, its icons' widths, each control's id, visibility,
// place and font height; then width x height pixels of its client area (0: all of it), their
// size and a hash. Wine keeps a moved window's frame at the system's DPI, so a moved window is
// compared over the fresh one's client area, and draws radio marks at that DPI too, so those
// controls are compared by place and font only.
Look look(HWND window, unsigned width = 0, unsigned height = 0) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetWindowRect(window, &r);
    Look seen = {unsigned(r.right - r.left), unsigned(r.bottom - r.top)};
    for (int which : {ICON_BIG, ICON_SMALL}) {
        ICONINFO icon{};
        BITMAP image{};
        if (GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, WPARAM(which), 0)),
                        &icon)) {
            GetObjectW(icon.hbmColor, sizeof image, &image);
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
        }
        seen.push_back(unsigned(image.bmWidth));
    }
    std::vector<RECT> marks;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
        seen.insert(seen.end(), {unsigned(GetDlgCtrlID(c)), unsigned(IsWindowVisible(c)),
                                 unsigned(r.left), unsigned(r.top), unsigned(r.right),
                                 unsigned(r.bottom), unsigned(font.lfHeight)});
        if ((GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON && kWine)
            marks.push_back(r);
    }
    GetClientRect(window, &r);
    if (width == 0 || !kWine) // on Windows the sizes themselves must agree
        width = unsigned(r.right), height = unsigned(r.bottom);
    HDC screen = GetDC(window), copy = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, int(width), int(height));
    HGDIOBJ previous = SelectObject(copy, canvas);
    BitBlt(copy, 0, 0, int(width), int(height), screen, 0, 0, SRCCOPY);
    for (const RECT& mark : marks)
        FillRect(copy, &mark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    std::string pixels(4 * width * height, '\0');
    BITMAPINFO format{
        {sizeof format.bmiHeader, int(width), -int(height), 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    GetDIBits(copy, canvas, 0, height, &pixels[0], &format, DIB_RGB_COLORS);
    auto hash = unsigned(std::hash<std::string>()(pixels));
    SelectObject(copy, previous);
    DeleteObject(canvas);
    DeleteDC(copy);
    ReleaseDC(window, screen);
    seen.insert(seen.end(), {width, height, hash});
    return seen;
}

// As Windows moves a window to a monitor at dpi: the size it asks for, then the change.
void moveToDpi(HWND window, int dpi) {
    SIZE size{};
    EXPECT_TRUE(
        SendMessageW(window, kGetDpiScaledSize, WPARAM(dpi), reinterpret_cast<LPARAM>(&size)));
    RECT suggested{0, 0, size.cx, size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Opens each window in turn (main window, editor, PIN prompt, About box, a message box); once it
// is up, act sees it, and it is closed.
std::function<void(HWND window)> act;
bool waiting;
void CALLBACK whenUp(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front != nullptr && IsWindowVisible(front) && std::exchange(waiting, false)) {
        act(front);
        PostMessageW(front, WM_CLOSE, 0, 0);
    }
}
void openEachWindow() {
    UINT_PTR timer = SetTimer(nullptr, 0, 50, whenUp);
    for (auto open :
         {+[] { MainWindow().DoModal(); }, +[] { EntryEditor().DoModal(); },
          +[] { PinPrompt().DoModal(); }, +[] { AboutBox().DoModal(); },
          +[] { MsgBoxDialog("\x83\x65\x83\x58\x83\x67\n2", "t", 2, 1, 0xF0C8C8).DoModal(); }}) {
        waiting = true;
        open();
    }
    KillTimer(nullptr, timer);
}

// This test again in a second process at 144 DPI, which writes each window's look to file, a
// line each.
std::vector<Look> looksOpenedAt144(const std::string& file) {
    const DWORD dpi = 144;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
    SetEnvironmentVariableA(kLooksFile, file.c_str());
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string command = std::string("\"") + path + "\" --gtest_filter=WindowDpi.*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(path, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA(kLooksFile, nullptr);
    // The session's prefix has no LogPixels of its own: without one, wine uses 96.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    std::vector<Look> looks;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream values(line);
        looks.emplace_back(std::istream_iterator<unsigned>(values),
                           std::istream_iterator<unsigned>());
    }
    in.close();
    std::remove(file.c_str());
    return looks;
}
} // namespace

TEST(WindowDpi, AWindowMovedToAnotherDpiAndBackLooksAsIfOpenedThere) {
    if (const char* file = std::getenv(kLooksFile)) { // the second process, at 144 DPI
        std::ofstream out(file);
        act = [&out](HWND window) {
            for (unsigned value : look(window))
                out << value << ' ';
            out << '\n';
        };
        return openEachWindow();
    }
    // Only wine opens windows fresh at 144 DPI in a second run; Windows does the moves alone.
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::vector<Look> fresh;
    if (kWine && systemDpi() == 96)
        fresh = looksOpenedAt144(std::string(temp) + "keyvane-dpi-looks.txt");
    size_t seen = 0;
    act = [&](HWND window) {
        SCOPED_TRACE(seen);
        const int start = windowDpi(window);
        Look opened = look(window);
        moveToDpi(window, 144);
        if (seen < fresh.size()) {
            const Look& at144 = fresh[seen];
            EXPECT_NE(at144, opened); // opened at 144 DPI indeed
            EXPECT_EQ(look(window, at144[at144.size() - 3], at144[at144.size() - 2]), at144);
        }
        moveToDpi(window, start);
        EXPECT_EQ(look(window, opened[opened.size() - 3], opened[opened.size() - 2]), opened);
        ++seen;
    };
    openEachWindow();
    EXPECT_EQ(seen, 5u);
    EXPECT_EQ(fresh.size(), kWine ? 5u : 0u);
}
