// Keyvane's resources, linked into this test program: the four dialog templates as the dialogs
// will find them, the menu, the string, the icon and the version block.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/program_info.h"
#include "app/resources/resource.h"

// The expected texts below are Shift-JIS only if the sources are compiled to code page 932;
// in UTF-8 each half-width katakana would take three bytes.
static_assert(sizeof("ﾍﾙﾌﾟ") == 5, "literals must be Shift-JIS");

namespace {
// --- the template as stored: a classic DLGTEMPLATE followed by its DLGITEMTEMPLATEs ---

struct ItemTemplate {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::string className; // upper case; a predefined class may be stored by name or number
    WORD textOrdinal;      // non-zero when the text is a resource number (an icon)
};

struct DialogTemplate {
    DWORD style, exStyle;
    short x, y, cx, cy;
    WORD menu;
    std::string caption; // Shift-JIS
    WORD pointSize;
    std::string face; // Shift-JIS
    std::vector<ItemTemplate> items;
};

std::string toShiftJis(const WCHAR* text) {
    char bytes[256] = "";
    WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

class TemplateReader {
public:
    explicit TemplateReader(const WORD* at) : at_(at) {}
    WORD word() { return *at_++; }
    DWORD dword() {
        DWORD low = word();
        return low | static_cast<DWORD>(word()) << 16;
    }
    short coordinate() { return static_cast<short>(word()); }
    // A string or an ordinal (0xFFFF, number); returns the ordinal, or 0 with the text in text.
    WORD stringOrOrdinal(std::string* text) {
        if (*at_ == 0xFFFF) {
            ++at_;
            return word();
        }
        const WCHAR* start = reinterpret_cast<const WCHAR*>(at_);
        while (*at_ != 0)
            ++at_;
        ++at_;
        if (text != nullptr)
            *text = toShiftJis(start);
        return 0;
    }
    void alignToDword() {
        if (reinterpret_cast<uintptr_t>(at_) % 4 != 0)
            ++at_;
    }

private:
    const WORD* at_;
};

enum : WORD { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83 };

// The class of a control, from its number (0x80 to 0x83) or its name.
std::string className(WORD atom, std::string name = "") {
    switch (atom) {
    case kButton:
        return "BUTTON";
    case kEdit:
        return "EDIT";
    case kStatic:
        return "STATIC";
    case kListBox:
        return "LISTBOX";
    default:
        CharUpperA(&name[0]);
        return name;
    }
}

DialogTemplate readTemplate(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (found == nullptr)
        throw std::runtime_error("no dialog template " + std::to_string(id));
    TemplateReader in(static_cast<const WORD*>(LockResource(LoadResource(nullptr, found))));
    DialogTemplate dialog{};
    dialog.style = in.dword();
    dialog.exStyle = in.dword();
    WORD count = in.word();
    dialog.x = in.coordinate();
    dialog.y = in.coordinate();
    dialog.cx = in.coordinate();
    dialog.cy = in.coordinate();
    dialog.menu = in.stringOrOrdinal(nullptr);
    in.stringOrOrdinal(nullptr); // window class: always the standard dialog class here
    in.stringOrOrdinal(&dialog.caption);
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.word();
        in.stringOrOrdinal(&dialog.face);
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword();
        ItemTemplate item{};
        item.style = in.dword();
        in.dword(); // extended style: none of ours has one
        item.x = in.coordinate();
        item.y = in.coordinate();
        item.cx = in.coordinate();
        item.cy = in.coordinate();
        item.id = in.word();
        std::string name;
        WORD atom = in.stringOrOrdinal(&name);
        item.className = className(atom, name);
        item.textOrdinal = in.stringOrOrdinal(nullptr);
        WORD extra = in.word();
        for (WORD skip = 0; skip < (extra + 1) / 2; ++skip)
            in.word();
        dialog.items.push_back(item);
    }
    return dialog;
}

// --- what each template must hold ---

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kPushButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kLabel = kChild | WS_GROUP | SS_RIGHT;
const DWORD kCentredLabel = kLabel | SS_CENTERIMAGE;
const DWORD kCentredNote = kChild | WS_GROUP | SS_LEFT | SS_CENTERIMAGE;
const DWORD kTextEdit = kChild | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
const DWORD kNameList =
    kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
const DWORD kCopyField = kChild | WS_GROUP | SS_LEFT | SS_NOTIFY | SS_CENTERIMAGE | SS_SUNKEN;
const DWORD kGroupBox = kChild | BS_GROUPBOX | BS_CENTER;

struct Control {
    WORD id;
    WORD classAtom;
    DWORD style;
    short x, y, cx, cy;
    const char* text; // Shift-JIS; nullptr for the icon, whose text is a resource number
};

struct Dialog {
    struct {
        int id;
        DWORD style, exStyle;
        short cx, cy; // at 0, 0
        WORD menu;
        const char* caption;
    } head;
    std::vector<Control> controls; // template order, which is the tab order
};

const DWORD kModal = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION;

const std::vector<Dialog>& dialogs() {
    static const std::vector<Dialog> all = {
        {{IDD_ABOUT_BOX, kModal | WS_SYSMENU, 0, 214, 54, 0, ""},
         {{IDC_ABOUT_ICON, kStatic, kChild | SS_ICON, 11, 17, 20, 20, nullptr},
          {IDC_ABOUT_VERSION, kStatic, kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, 40, 9, 155, 8,
           ""},
          {IDC_ABOUT_NOTICE, kStatic, kChild | WS_GROUP | SS_LEFT, 40, 23, 105, 25, ""},
          {IDOK, kButton, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 156, 33, 50, 14, "O  K"}}},
        {{IDD_MAIN_WINDOW, kModal | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, WS_EX_APPWINDOW, 203,
          98, IDR_MAIN_MENU, "Keyvane"},
         {{IDC_MAIN_LOGIN, kButton, kPushButton, 27, 80, 45, 14, ""},
          {IDC_MAIN_EDIT, kButton, kPushButton, 79, 80, 45, 14, "編  集"},
          {IDC_MAIN_EXIT, kButton, kPushButton, 131, 80, 45, 14, "終  了"},
          {IDC_MAIN_LIST, kListBox, kNameList, 3, 5, 197, 39, ""},
          {IDC_MAIN_ID_FIELD, kStatic, kCopyField, 35, 48, 145, 11, ""},
          {IDC_MAIN_PASSWORD_FIELD, kStatic, kCopyField, 35, 63, 145, 11, ""},
          {IDC_MAIN_WEB, kButton, kPushButton, 183, 62, 18, 12, "Web"},
          {IDC_MAIN_ID_LABEL, kStatic, kLabel, 3, 50, 30, 8, "ID"},
          {IDC_MAIN_PASSWORD_LABEL, kStatic, kLabel, 3, 65, 30, 8, "ﾊﾟｽﾜｰﾄﾞ"}}},
        {{IDD_PIN_PROMPT, kModal, 0, 83, 41, 0, "ログイン"},
         {{IDC_PIN_FIELD, kEdit, kTextEdit | ES_PASSWORD, 44, 7, 30, 12, ""},
          {IDC_PIN_CANCEL, kButton, kPushButton, 22, 24, 40, 12, "ｷｬﾝｾﾙ"},
          {IDC_PIN_LABEL, kStatic, kLabel, 7, 8, 33, 10, "暗証番号"}}},
        {{IDD_ENTRY_EDITOR, kModal | WS_SYSMENU, 0, 199, 254, 0, "ﾀﾞｲｱﾛｸﾞ"},
         {{IDC_EDITOR_CLOSE, kButton, kPushButton, 74, 233, 49, 14, "閉じる"},
          {IDC_EDITOR_LIST, kListBox, kNameList, 9, 17, 180, 45, ""},
          {IDC_EDITOR_NAME, kEdit, kTextEdit, 43, 67, 145, 12, ""},
          {IDC_EDITOR_ID, kEdit, kTextEdit, 43, 84, 145, 12, ""},
          {IDC_EDITOR_PASSWORD, kEdit, kTextEdit, 43, 101, 145, 12, ""},
          {IDC_EDITOR_URL, kEdit, kTextEdit, 43, 118, 145, 12, ""},
          {IDC_EDITOR_CLEAR, kButton, kPushButton, 90, 135, 30, 13, "ｸ ﾘ ｱ"},
          {IDC_EDITOR_REGISTER, kButton, kPushButton, 125, 135, 30, 13, "登 録"},
          {IDC_EDITOR_DELETE, kButton, kPushButton, 159, 135, 30, 13, "削 除"},
          {IDC_EDITOR_PIN, kEdit, kTextEdit, 79, 181, 33, 12, ""},
          {IDC_EDITOR_CHANGE_PIN, kButton, kPushButton, 147, 180, 30, 13, "変 更"},
          {IDC_EDITOR_ID_LABEL, kStatic, kCentredLabel, 10, 87, 30, 8, "ID"},
          {IDC_EDITOR_PASSWORD_LABEL, kStatic, kCentredLabel, 10, 104, 30, 8, "ﾊﾟｽﾜｰﾄﾞ"},
          {IDC_EDITOR_PIN_LABEL, kStatic, kCentredLabel, 30, 181, 34, 12, "暗証番号"},
          {IDC_EDITOR_NAME_LABEL, kStatic, kCentredLabel, 15, 70, 25, 8, "登録名"},
          {IDC_EDITOR_LIST_GROUP, kButton, kGroupBox, 4, 5, 190, 149, "登録リスト編集"},
          {IDC_EDITOR_SETTINGS_GROUP, kButton, kGroupBox, 4, 164, 190, 61, "各 種 設 定"},
          {IDC_EDITOR_PIN_NOTE, kStatic, kCentredNote, 114, 181, 29, 11, "数字４桁"},
          {IDC_EDITOR_URL_LABEL, kStatic, kCentredLabel, 5, 121, 35, 8, "URL"},
          {IDC_EDITOR_AUTO_LOGOUT_ON, kButton, kChild | WS_GROUP | BS_AUTORADIOBUTTON, 107, 206, 32,
           10, "有効"},
          {IDC_EDITOR_AUTO_LOGOUT_OFF, kButton, kChild | BS_AUTORADIOBUTTON, 141, 206, 32, 10,
           "無効"},
          {IDC_EDITOR_AUTO_LOGOUT_LABEL, kStatic, kCentredLabel, 25, 205, 40, 12, "自動ﾛｸﾞｱｳﾄ"},
          {IDC_EDITOR_AUTO_LOGOUT_NOTE, kStatic, kCentredNote, 64, 205, 27, 11, "（60秒）"}}},
    };
    return all;
}

std::string windowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// A dialog created from the linked template, destroyed at the end of the scope.
class LiveDialog {
public:
    explicit LiveDialog(int id)
        : window_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                     plainDialogProc, 0)) {}
    ~LiveDialog() { DestroyWindow(window_); }
    LiveDialog(const LiveDialog&) = delete;
    LiveDialog& operator=(const LiveDialog&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

const char kDialogFace[] = "ＭＳ ゴシック";

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The ANSI texts read back below are Shift-JIS only under the Japanese code page.
        ASSERT_EQ(GetACP(), 932u) << "tests must run with LANG=ja_JP.UTF-8";
    }
};
} // namespace

TEST_F(ResourceTest, TemplatesHoldTheirStylesGeometryAndControls) {
    // The face name spelled out, so that the literal's own conversion is checked too.
    EXPECT_STREQ(kDialogFace, "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e");
    for (const Dialog& expected : dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.head.id));
        DialogTemplate actual = readTemplate(expected.head.id);
        EXPECT_EQ(actual.style, expected.head.style) << std::hex << actual.style;
        EXPECT_EQ(actual.exStyle, expected.head.exStyle) << std::hex << actual.exStyle;
        EXPECT_EQ(actual.x, 0);
        EXPECT_EQ(actual.y, 0);
        EXPECT_EQ(actual.cx, expected.head.cx);
        EXPECT_EQ(actual.cy, expected.head.cy);
        EXPECT_EQ(actual.menu, expected.head.menu);
        EXPECT_EQ(actual.caption, expected.head.caption);
        EXPECT_EQ(actual.pointSize, 10);
        EXPECT_EQ(actual.face, kDialogFace);

        ASSERT_EQ(actual.items.size(), expected.controls.size());
        for (size_t i = 0; i < actual.items.size(); ++i) {
            const ItemTemplate& item = actual.items[i];
            const Control& control = expected.controls[i];
            SCOPED_TRACE("control " + std::to_string(control.id));
            EXPECT_EQ(item.id, control.id);
            EXPECT_EQ(item.className, className(control.classAtom));
            EXPECT_EQ(item.style, control.style) << std::hex << item.style;
            EXPECT_EQ(item.x, control.x);
            EXPECT_EQ(item.y, control.y);
            EXPECT_EQ(item.cx, control.cx);
            EXPECT_EQ(item.cy, control.cy);
            EXPECT_EQ(item.textOrdinal, control.text == nullptr ? IDI_KEYVANE : 0);
        }
    }
}

TEST_F(ResourceTest, DialogsCreateWithTheirControlsTextsAndFont) {
    for (const Dialog& expected : dialogs()) {
        SCOPED_TRACE("template " + std::to_string(expected.head.id));
        LiveDialog dialog(expected.head.id);
        ASSERT_NE(dialog.get(), nullptr);

        // Only the main window is visible at once: the editor must stay hidden until it has
        // shown its no-PIN message.
        EXPECT_EQ(IsWindowVisible(dialog.get()) != 0, expected.head.id == IDD_MAIN_WINDOW);
        EXPECT_EQ(windowText(dialog.get()), expected.head.caption);
        auto exStyle = static_cast<DWORD>(GetWindowLongA(dialog.get(), GWL_EXSTYLE));
        EXPECT_EQ((exStyle & WS_EX_APPWINDOW) != 0, expected.head.id == IDD_MAIN_WINDOW);
        EXPECT_EQ(GetMenu(dialog.get()) != nullptr, expected.head.menu != 0);

        auto font = reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        ASSERT_NE(GetObjectA(font, sizeof logFont, &logFont), 0);
        EXPECT_STREQ(logFont.lfFaceName, kDialogFace);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(logFont.lfHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
        ReleaseDC(nullptr, screen);

        // Children come in creation order, which is the template order.
        std::vector<std::string> seen, wanted;
        for (HWND child = GetWindow(dialog.get(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = "";
            GetClassNameA(child, name, sizeof name);
            CharUpperA(name);
            std::string text = GetDlgCtrlID(child) == IDC_ABOUT_ICON ? "" : windowText(child);
            seen.push_back(std::to_string(GetDlgCtrlID(child)) + " " + name + " [" + text + "]");
        }
        for (const Control& control : expected.controls)
            wanted.push_back(std::to_string(control.id) + " " + className(control.classAtom) +
                             " [" + (control.text ? control.text : "") + "]");
        EXPECT_EQ(seen, wanted);
    }
}

TEST_F(ResourceTest, RadioButtonsFormOneGroupAndTheAboutBoxShowsTheIcon) {
    // The two automatic radio buttons uncheck each other and nothing else.
    LiveDialog editor(IDD_ENTRY_EDITOR);
    ShowWindow(editor.get(), SW_SHOWNOACTIVATE);
    auto click = [&](int id) {
        SendMessageA(GetDlgItem(editor.get(), id), BM_CLICK, 0, 0);
        return std::to_string(IsDlgButtonChecked(editor.get(), IDC_EDITOR_AUTO_LOGOUT_ON)) +
               std::to_string(IsDlgButtonChecked(editor.get(), IDC_EDITOR_AUTO_LOGOUT_OFF));
    };
    EXPECT_EQ(click(IDC_EDITOR_AUTO_LOGOUT_OFF), "01");
    EXPECT_EQ(click(IDC_EDITOR_AUTO_LOGOUT_ON), "10");
    EXPECT_EQ(click(IDC_EDITOR_AUTO_LOGOUT_OFF), "01");

    LiveDialog about(IDD_ABOUT_BOX);
    EXPECT_NE(SendDlgItemMessageA(about.get(), IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);
}

TEST_F(ResourceTest, HelpMenuHoldsItsItemsInOrder) {
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    char text[64] = "";
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "ﾍﾙﾌﾟ(&H)");

    HMENU help = GetSubMenu(bar, 0);
    ASSERT_NE(help, nullptr);
    const struct {
        UINT id;
        const char* text; // nullptr: a separator
    } items[] = {{ID_HELP_MANUAL, "ﾏﾆｭｱﾙ"},
                 {ID_HELP_WEB_SUPPORT, "Webｻﾎﾟｰﾄ(&S)"},
                 {ID_HELP_MAIL_INQUIRY, "ﾒｰﾙ問合せ(&M)"},
                 {0, nullptr},
                 {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}};
    ASSERT_EQ(GetMenuItemCount(help), 5);
    for (UINT i = 0; i < 5; ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        text[0] = '\0';
        ASSERT_TRUE(GetMenuItemInfoA(help, i, TRUE, &info));
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, items[i].text == nullptr);
        if (items[i].text != nullptr) {
            EXPECT_EQ(info.wID, items[i].id);
            EXPECT_STREQ(text, items[i].text);
        }
    }
    DestroyMenu(bar);
}

TEST_F(ResourceTest, StringAndVersionBlock) {
    char text[128] = "";
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_MENU_ITEM, text, sizeof text), 0);
    EXPECT_STREQ(text, "Keyvane のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_STREQ(text, "Keyvane \x82\xcc\xca\xde\xb0\xbc\xde\xae\xdd\x8f\xee\x95\xf1(&A)...");

    // Read the way the About box will read it.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    ProgramInfo info{};
    ASSERT_EQ(readFileVersion(path, info), 0);
    EXPECT_EQ(info.fileVersion[0], 1);
    EXPECT_EQ(info.fileVersion[1], 0);
    EXPECT_EQ(info.fileVersion[2], 2);
    EXPECT_EQ(info.fileVersion[3], 0);

    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path, &handle));
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
    for (const char* language : {"041104b0", "040904b0"}) {
        char* value = nullptr;
        UINT length = 0;
        std::string key = std::string("\\StringFileInfo\\") + language + "\\ProductName";
        ASSERT_TRUE(
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
            << key;
        EXPECT_STREQ(value, "Keyvane");
    }
}

TEST_F(ResourceTest, IconGroupHoldsEachSizeOnPaleBlue) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(self, MAKEINTRESOURCEA(IDI_KEYVANE), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr); // RT_GROUP_ICON
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(self, group)));
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved; // 0 stands for 256
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    // After the header's reserved word, type and count: the entries.
    const WORD count = reinterpret_cast<const WORD*>(directory)[2];
    const auto* entries = reinterpret_cast<const GroupEntry*>(directory + 6);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        sizes.push_back(entries[i].width == 0 ? 256 : entries[i].width);
        EXPECT_EQ(entries[i].height, entries[i].width);
        EXPECT_EQ(entries[i].bitCount, 32);
    }
    // Small and large icons at 100 to 200 per cent, and the 256 the shell scales down.
    ASSERT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));

    for (int size : sizes) {
        SCOPED_TRACE("size " + std::to_string(size));
        int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)); // RT_ICON
        ASSERT_NE(image, nullptr);
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(self, image)));
        // Each image is stored at exactly its size, with an alpha channel: a bitmap, or a PNG
        // whose header chunk holds the width big-endian, then bit depth 8 and colour type RGBA.
        if (memcmp(bits, "\x89PNG", 4) == 0) {
            EXPECT_EQ(bits[16] << 24 | bits[17] << 16 | bits[18] << 8 | bits[19], size);
            EXPECT_EQ(bits[24], 8);
            EXPECT_EQ(bits[25], 6);
        } else {
            auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bits);
            EXPECT_EQ(header->biWidth, size);
            EXPECT_EQ(header->biBitCount, 32);
        }

        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(self, image), TRUE, 0x00030000,
                                              size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        // Draw it on black and look at the background just inside the top border, clear of
        // the key.
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = size;
        format.bmiHeader.biHeight = -size;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* pixels = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP canvas = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
        HGDIOBJ previous = SelectObject(dc, canvas);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        DWORD pixel = static_cast<DWORD*>(pixels)[(size / 5) * size + size * 3 / 4];
        EXPECT_EQ(pixel & 0xFFFFFF, 0xC8C8F0u) << std::hex << pixel; // BGRA: R 200, G 200, B 240
        SelectObject(dc, previous);
        DeleteObject(canvas);
        DeleteDC(dc);
        DestroyIcon(icon);
    }
}
