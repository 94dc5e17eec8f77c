// Chimebox.dll as a binary: its export, its resources, and what a box leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/msgbox/box_driver.h"
#include "msgbox/chimebox.h"

namespace {
HMODULE chimebox() {
    return GetModuleHandleA("Chimebox.dll");
}

template <class T> const T* at(HMODULE module, DWORD rva) {
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(module) + rva);
}

const IMAGE_DATA_DIRECTORY& dataDirectory(HMODULE module, int entry) {
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    auto nt = at<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
    return nt->OptionalHeader.DataDirectory[entry];
}

std::string versionString(const std::vector<char>& block, const char* name) {
    std::string path = std::string("\\StringFileInfo\\041103a4\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr)
        return "(missing)";
    return static_cast<const char*>(value);
}

// Reads a dialog template (DLGTEMPLATE, not the extended form) field by field.
class TemplateReader {
public:
    explicit TemplateReader(const void* data) : p_(static_cast<const BYTE*>(data)) {}
    DWORD dword() { return take<DWORD>(); }
    WORD word() { return take<WORD>(); }
    short coordinate() { return take<short>(); }
    // A string, or an ordinal as "#n".
    std::wstring text() {
        if (peekWord() == 0xFFFF) {
            word();
            return L"#" + std::to_wstring(word());
        }
        std::wstring s;
        for (WORD c = word(); c != 0; c = word())
            s += static_cast<wchar_t>(c);
        return s;
    }
    void alignToDword() {
        while (reinterpret_cast<UINT_PTR>(p_) % 4 != 0)
            ++p_;
    }

private:
    WORD peekWord() const {
        WORD w;
        std::memcpy(&w, p_, sizeof w);
        return w;
    }
    template <class T> T take() {
        T value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    const BYTE* p_;
};

// Wine 8 stubs GetGuiResources (it answers 0), but its GDI handle lookup accepts a handle's
// table index alone, so probing every index counts the process's GDI objects.
int gdiObjectCount() {
    if (!underWine())
        return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    int count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    return count;
}

BOOL CALLBACK countWindow(HWND hwnd, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(hwnd, countWindow, count);
    }
    return TRUE;
}

// Under Wine (GetGuiResources stubbed again): every window of the process, top-level, child or
// message-only. Windows are the only USER objects a box creates.
int userObjectCount() {
    if (!underWine())
        return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    int count = 0;
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        countWindow(w, reinterpret_cast<LPARAM>(&count));
    return count;
}

void endWithAnyButton(HWND box, int round) {
    switch (round % 3) {
    case 0:
        pressKey(focusIn(box), VK_ESCAPE);
        break;
    case 1:
        pressKey(focusIn(box), VK_RETURN);
        break;
    default:
        PostMessageA(box, WM_CLOSE, 0, 0);
        break;
    }
}
} // namespace

TEST(ChimeboxDll, ExportsBootMsgBoxAloneByNameAndAtOrdinalOne) {
    HMODULE dll = chimebox();
    ASSERT_NE(dll, nullptr);
    FARPROC byName = GetProcAddress(dll, "BootMsgBox");
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(1)), byName);
    // Declared dllimport, so its address is the one the loader bound.
    EXPECT_EQ(reinterpret_cast<void*>(&BootMsgBox), reinterpret_cast<void*>(byName));

    const IMAGE_DATA_DIRECTORY& entry = dataDirectory(dll, IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(entry.VirtualAddress, 0u);
    auto exports = at<IMAGE_EXPORT_DIRECTORY>(dll, entry.VirtualAddress);
    EXPECT_EQ(exports->Base, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 1u);
    ASSERT_EQ(exports->NumberOfNames, 1u);
    EXPECT_STREQ(at<char>(dll, *at<DWORD>(dll, exports->AddressOfNames)), "BootMsgBox");
    EXPECT_STREQ(at<char>(dll, exports->Name), "Chimebox.dll");
}

TEST(ChimeboxDll, CarriesItsVersionBlockInShiftJis) {
    ASSERT_EQ(GetACP(), 932u) << "run under the Japanese locale";
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(chimebox(), path, sizeof path), 0u);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    // "メッセージダイアログライブラリ" and "Chimebox ﾀﾞｲﾅﾐｯｸ ﾘﾝｸ ﾗｲﾌﾞﾗﾘ", converted back from the
    // resource's UTF-16 to the ANSI code page.
    const char description[] = "\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57\x83\x5F\x83\x43\x83\x41"
                               "\x83\x8D\x83\x4F\x83\x89\x83\x43\x83\x75\x83\x89\x83\x8A";
    EXPECT_EQ(versionString(block, "Comments"), description);
    EXPECT_EQ(versionString(block, "FileDescription"), description);
    EXPECT_EQ(versionString(block, "InternalName"), "Chimebox");
    EXPECT_EQ(versionString(block, "OriginalFilename"), "Chimebox.DLL");
    EXPECT_EQ(versionString(block, "ProductName"),
              "Chimebox \xC0\xDE\xB2\xC5\xD0\xAF\xB8 \xD8\xDD\xB8 \xD7\xB2\xCC\xDE\xD7\xD8");
}

TEST(ChimeboxDll, Template2000IsJapaneseWithItsStylesGeometryFontAndControlOrder) {
    HRSRC resource = FindResourceExA(chimebox(), MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(2000),
                                     MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN));
    ASSERT_NE(resource, nullptr);
    TemplateReader t(LockResource(LoadResource(chimebox(), resource)));
    EXPECT_EQ(t.dword(), 0x80C000C2u); // popup, caption, modal frame, font, system modal
    EXPECT_EQ(t.dword(), 0u);
    ASSERT_EQ(t.word(), 4);
    EXPECT_EQ(t.coordinate(), 0);
    EXPECT_EQ(t.coordinate(), 0);
    EXPECT_EQ(t.coordinate(), 143);
    EXPECT_EQ(t.coordinate(), 64);
    EXPECT_EQ(t.text(), L""); // no menu
    EXPECT_EQ(t.text(), L""); // the standard dialog class
    EXPECT_EQ(t.text(), L""); // no title
    EXPECT_EQ(t.word(), 9);
    EXPECT_EQ(t.text(), L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF"); // "ＭＳ Ｐゴシック"

    struct Item {
        DWORD style;
        short x, y, cx, cy;
        WORD id;
        const wchar_t* className; // as a name or as the predefined class's atom
        const wchar_t* atom;
    };
    const Item items[4] = {
        {0x50010000, 23, 46, 31, 14, 2000, L"BUTTON", L"#128"},
        {0x50020001, 6, 5, 130, 34, 2001, L"STATIC", L"#130"},
        {0x50010000, 58, 46, 31, 14, 2002, L"BUTTON", L"#128"},
        {0x50010000, 93, 46, 31, 14, 2003, L"BUTTON", L"#128"},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.id);
        t.alignToDword();
        EXPECT_EQ(t.dword(), item.style);
        EXPECT_EQ(t.dword(), 0u);
        EXPECT_EQ(t.coordinate(), item.x);
        EXPECT_EQ(t.coordinate(), item.y);
        EXPECT_EQ(t.coordinate(), item.cx);
        EXPECT_EQ(t.coordinate(), item.cy);
        EXPECT_EQ(t.word(), item.id);
        std::wstring className = t.text();
        EXPECT_TRUE(_wcsicmp(className.c_str(), item.className) == 0 || className == item.atom);
        EXPECT_EQ(t.text(), L"");
        EXPECT_EQ(t.word(), 0); // no creation data
    }
}

TEST(ObjectCounts, SeeOneMoreBrushAndOneMoreWindow) {
    int gdi = gdiObjectCount();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(gdiObjectCount(), gdi + 1);
    DeleteObject(brush);
    EXPECT_EQ(gdiObjectCount(), gdi);

    // The thread's first window may bring helper windows along; the second comes alone.
    HWND first = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    int user = userObjectCount();
    HWND second = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(userObjectCount(), user + 1);
    DestroyWindow(second);
    EXPECT_EQ(userObjectCount(), user);
    DestroyWindow(first);
}

TEST(BootMsgBox, TwoHundredBoxesLeaveNoGdiOrUserObjectsBehind) {
    auto showBoxes = [](int count) {
        for (int i = 0; i < count; ++i) {
            int type = i % 7; // 6: an unknown type
            runBox({i % 2 ? "\x83\x65\x83\x58\x83\x67\n2" : "x", "leak", type, i % 3,
                    RGB(200, 200, 240)},
                   [i](HWND box) { endWithAnyButton(box, i); });
        }
    };
    showBoxes(6); // whatever the system sets up once, on the first boxes
    int gdi = gdiObjectCount();
    int user = userObjectCount();
    showBoxes(200);
    EXPECT_EQ(gdiObjectCount(), gdi);
    EXPECT_EQ(userObjectCount(), user);
}

TEST(BootMsgBox, ToleratesMissingTexts) {
    EXPECT_EQ(runBox({nullptr, nullptr, 0}, [](HWND box) { clickButton(box, 2002); }), 1);
}
