// Real boxes under the Japanese locale: buttons, results, keys, layout and colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/msgbox/box_driver.h"
#include "core/dpi.h"
#include "core/msgbox_layout.h"

namespace {
struct TypeCase {
    int type;
    const char* captions[3]; // Shift-JIS bytes; nullptr for a hidden button
    int results[3];          // of a click on each shown button
};

const char kOk[] = "\x4F\x20\x4B";
const char kCancel[] = "\xB7\xAC\xDD\xBE\xD9";
const TypeCase kTypes[] = {
    {0, {nullptr, kOk, nullptr}, {0, 1, 0}},
    {1, {kOk, nullptr, kCancel}, {1, 0, 2}},
    {2, {"\x92\x86\x20\x8E\x7E", "\x8D\xC4\x8E\x8E\x8D\x73", "\x96\xB3\x20\x8E\x8B"}, {3, 4, 5}},
    {3, {"\x82\xCD\x20\x82\xA2", "\x82\xA2\x82\xA2\x82\xA6", kCancel}, {6, 7, 2}},
    {4, {"\x82\xCD\x20\x82\xA2", nullptr, "\x82\xA2\x82\xA2\x82\xA6"}, {6, 0, 7}},
    {5, {"\x8D\xC4\x8E\x8E\x8D\x73", nullptr, kCancel}, {4, 0, 2}},
    // Unknown types fall back to type 0's single OK button.
    {-1, {nullptr, kOk, nullptr}, {0, 1, 0}},
    {6, {nullptr, kOk, nullptr}, {0, 1, 0}},
};

int firstVisible(const TypeCase& c) {
    for (int i = 0; i < 3; ++i)
        if (c.captions[i] != nullptr)
            return i;
    return -1;
}

// What the helper thread saw of the buttons.
struct ButtonView {
    bool visible[3];
    std::string captions[3];
    HWND focus;
    HWND firstButton;
};

ButtonView viewButtons(HWND box, int first) {
    ButtonView view{};
    for (int i = 0; i < 3; ++i) {
        HWND button = GetDlgItem(box, kButtonIds[i]);
        view.visible[i] = IsWindowVisible(button) != FALSE;
        view.captions[i] = windowText(button);
    }
    view.focus = focusIn(box);
    view.firstButton = GetDlgItem(box, kButtonIds[first]);
    return view;
}

// The message font, measured by the test on its own: 12-pixel "ＭＳ Ｐ明朝", Shift-JIS charset.
const char kMessageFace[] = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";

HFONT createMessageFont() {
    return CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                       FIXED_PITCH | FF_MODERN, kMessageFace);
}

SIZE measureText(const char* text, UINT extraFormat = 0) {
    HDC dc = GetDC(nullptr);
    HFONT font = createMessageFont();
    HGDIOBJ previous = SelectObject(dc, font);
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &rect, DT_CALCRECT | extraFormat);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void expectRect(const RECT& actual, const PixelRect& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

// The placement of one real box.
struct LayoutView {
    RECT message;
    RECT buttons[3];
    bool visible[3];
    RECT window;
    RECT client;
    std::string shownText;
    LOGFONTA font;
    LONG style;
    LONG exStyle;
};

LayoutView viewLayout(HWND box) {
    LayoutView view{};
    HWND text = GetDlgItem(box, kMessageId);
    view.message = rectInBox(box, text);
    for (int i = 0; i < 3; ++i) {
        view.buttons[i] = rectInBox(box, GetDlgItem(box, kButtonIds[i]));
        view.visible[i] = IsWindowVisible(GetDlgItem(box, kButtonIds[i])) != FALSE;
    }
    GetWindowRect(box, &view.window);
    GetClientRect(box, &view.client);
    view.shownText = windowText(text);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0));
    GetObjectA(font, sizeof view.font, &view.font);
    view.style = GetWindowLongA(box, GWL_STYLE);
    view.exStyle = GetWindowLongA(box, GWL_EXSTYLE);
    return view;
}

// Shows text in a box of the given type and checks every rectangle against the arithmetic fed
// with the test's own measurement of the text.
void checkLayout(const char* text, int type, SIZE measured) {
    SCOPED_TRACE(text);
    LayoutView view{};
    int result = runBox({text, "layout", type}, [&](HWND box) {
        view = viewLayout(box);
        pressKey(focusIn(box), VK_ESCAPE);
    });
    EXPECT_EQ(result, 2);

    EXPECT_EQ(view.shownText, text);
    EXPECT_EQ(view.font.lfHeight, 12);
    EXPECT_EQ(view.font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(view.font.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_STREQ(view.font.lfFaceName, kMessageFace);

    PixelRect message = messageRect(measured.cx, measured.cy);
    expectRect(view.message, message, "message");
    ButtonPlacement placement = placeButtons(message, buttonSetFor(type).row);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.visible[i], placement.placed[i]) << "button " << i;
        if (placement.placed[i])
            expectRect(view.buttons[i], placement.rects[i], "button");
    }
    BoxSize size =
        boxWindowSize(message, {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                                GetSystemMetrics(SM_CYCAPTION)});
    EXPECT_EQ(view.window.right - view.window.left, size.width);
    EXPECT_EQ(view.window.bottom - view.window.top, size.height);
    // 10 pixels around the text, 12 between text and buttons, 10 below the buttons.
    EXPECT_EQ(view.client.right, message.right + 10);
    EXPECT_EQ(view.client.bottom, message.bottom + 12 + 21 + 10);

    // Centred on the work area: the test thread has no window to own the box.
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(view.window.left + view.window.right, work.left + work.right, 1);
    EXPECT_NEAR(view.window.top + view.window.bottom, work.top + work.bottom, 1);
    // Windows makes a DS_SYSMODAL dialog top-most; Wine 8 ignores the style.
    if (!underWine()) {
        EXPECT_TRUE(view.exStyle & WS_EX_TOPMOST);
    }
    EXPECT_FALSE(view.style & WS_SYSMENU);
}

COLORREF pixelAt(HWND box, int x, int y) {
    HDC dc = GetDC(box);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(box, dc);
    return colour;
}

struct ColourView {
    COLORREF corner;      // the margin left of and above the text
    COLORREF besideText;  // inside the static, left of its centred short text
    COLORREF betweenPair; // between the two buttons
    COLORREF dialogBrush; // the brush answered for WM_CTLCOLORDLG
    COLORREF dialogBack;  // the background colour it set on the device context
    HBRUSH staticBrush;   // for WM_CTLCOLORSTATIC of the message
    int staticBackMode;
    HBRUSH buttonBrush; // for WM_CTLCOLORBTN of a button
};

ColourView viewColours(HWND box) {
    ColourView view{};
    view.corner = pixelAt(box, 3, 3);
    RECT text = rectInBox(box, GetDlgItem(box, kMessageId));
    view.besideText = pixelAt(box, text.left + 2, (text.top + text.bottom) / 2);
    RECT left = rectInBox(box, GetDlgItem(box, kLeftButtonId));
    RECT right = rectInBox(box, GetDlgItem(box, kRightButtonId));
    view.betweenPair = pixelAt(box, (left.right + right.left) / 2, (left.top + left.bottom) / 2);

    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        box, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    LOGBRUSH logBrush{};
    GetObjectA(brush, sizeof logBrush, &logBrush);
    view.dialogBrush = logBrush.lbColor;
    view.dialogBack = GetBkColor(dc);
    SetBkMode(dc, OPAQUE);
    view.staticBrush = reinterpret_cast<HBRUSH>(
        SendMessageA(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, kMessageId))));
    view.staticBackMode = GetBkMode(dc);
    view.buttonBrush = reinterpret_cast<HBRUSH>(
        SendMessageA(box, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, kLeftButtonId))));
    DeleteDC(dc);
    return view;
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The caption's cell as the button draws it, in the button's own font.
SIZE captionSize(HWND button) {
    std::string caption = windowText(button);
    HDC dc = GetDC(button);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(button, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The template's dialog font, which draws the captions, grows with the system DPI; the buttons,
// the margins and the message font must grow with it.
void checkCaptionsAndMarginsAtTheSystemDpi() {
    const int dpi = screenDpi();
    SCOPED_TRACE(dpi);
    // The focus rectangle's dotted line lies one pixel inside the button's edge; the caption's
    // cell must stay clear of it.
    const SIZE room = {GetSystemMetrics(SM_CXEDGE) + 2, GetSystemMetrics(SM_CYEDGE) + 2};
    for (int type = 0; type < 6; ++type) {
        SCOPED_TRACE(type);
        LayoutView view{};
        SIZE captions[3]{};
        runBox({"\x83\x65\x83\x58\x83\x67", "fit", type}, [&](HWND box) {
            view = viewLayout(box);
            for (int i = 0; i < 3; ++i)
                captions[i] = captionSize(GetDlgItem(box, kButtonIds[i]));
            pressKey(focusIn(box), VK_ESCAPE);
        });
        EXPECT_EQ(view.font.lfHeight, messageFontHeight(dpi));
        EXPECT_EQ(view.message.left, scaleToDpi(10, dpi));
        EXPECT_EQ(view.client.right - view.message.right, scaleToDpi(10, dpi));
        for (int i = 0; i < 3; ++i) {
            if (!view.visible[i])
                continue;
            SCOPED_TRACE(i);
            const RECT& button = view.buttons[i];
            EXPECT_EQ(button.bottom - button.top, scaleToDpi(21, dpi));
            EXPECT_LE(captions[i].cx + 2 * room.cx, button.right - button.left);
            EXPECT_LE(captions[i].cy + 2 * room.cy, button.bottom - button.top);
            EXPECT_GE(button.left, view.message.left);
            EXPECT_LE(button.right, view.message.right);
            EXPECT_EQ(view.client.bottom - button.bottom, scaleToDpi(10, dpi));
        }
    }
}

// Runs this test program again with the given arguments; its exit code, or -1.
int runThisProgram(const char* arguments) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    char command[2 * MAX_PATH];
    std::snprintf(command, sizeof command, "\"%s\" %s", path, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
} // namespace

TEST(MsgBoxButtons, EveryTypeShowsItsCaptionsFocusesItsFirstButtonAndAnswersEachClick) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.type);
        int first = firstVisible(c);
        for (int i = 0; i < 3; ++i) {
            if (c.captions[i] == nullptr)
                continue;
            ButtonView view{};
            int result = runBox({"\x83\x65\x83\x58\x83\x67", "buttons", c.type}, [&](HWND box) {
                view = viewButtons(box, first);
                clickButton(box, kButtonIds[i]);
            });
            EXPECT_EQ(result, c.results[i]) << "button " << kButtonIds[i];
            for (int j = 0; j < 3; ++j) {
                EXPECT_EQ(view.visible[j], c.captions[j] != nullptr) << "button " << kButtonIds[j];
                if (c.captions[j] != nullptr) {
                    EXPECT_EQ(view.captions[j], c.captions[j]) << "button " << kButtonIds[j];
                }
            }
            EXPECT_EQ(view.focus, view.firstButton);
        }
    }
}

TEST(MsgBoxButtons, ReturnPressesTheFirstButton) {
    for (const TypeCase& c : kTypes) {
        int result = runBox({"return", "return", c.type},
                            [](HWND box) { pressKey(focusIn(box), VK_RETURN); });
        EXPECT_EQ(result, c.results[firstVisible(c)]) << "type " << c.type;
    }
}

TEST(MsgBoxButtons, EscapeAndCloseGiveTwoAndTheOkCommandOneInEveryType) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(runBox({"escape", "escape", c.type},
                         [](HWND box) { pressKey(focusIn(box), VK_ESCAPE); }),
                  2);
        EXPECT_EQ(
            runBox({"close", "close", c.type}, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }),
            2);
        EXPECT_EQ(runBox({"ok", "ok", c.type}, [](HWND box) { postCommand(box, IDOK); }), 1);
    }
}

TEST(MsgBoxButtons, CommandsFromHiddenButtonsGiveTheirIndex) {
    EXPECT_EQ(runBox({"hidden", "hidden", 0}, [](HWND box) { postCommand(box, 2000); }), 0);
    EXPECT_EQ(runBox({"hidden", "hidden", 0}, [](HWND box) { postCommand(box, 2003); }), 2);
    EXPECT_EQ(runBox({"hidden", "hidden", 4}, [](HWND box) { postCommand(box, 2002); }), 1);
    EXPECT_EQ(runBox({"hidden", "hidden", 7}, [](HWND box) { postCommand(box, 2003); }), 2);
}

TEST(MsgBoxTexts, OverlongTextsAreCutBeforeADoubleByteCharacterThatWouldNotFit) {
    // Two ASCII bytes, then "あ" (82 A0) over and over: 127 and 63 bytes would split one.
    std::string message = "ab";
    std::string caption = "ab";
    for (int i = 0; i < 100; ++i)
        message += "\x82\xA0";
    for (int i = 0; i < 40; ++i)
        caption += "\x82\xA0";
    std::string shownMessage;
    std::string shownCaption;
    runBox({message.c_str(), caption.c_str(), 0}, [&](HWND box) {
        shownMessage = windowText(GetDlgItem(box, kMessageId));
        shownCaption = windowText(box);
        pressKey(focusIn(box), VK_ESCAPE);
    });
    EXPECT_EQ(shownMessage, message.substr(0, 126));
    EXPECT_EQ(shownCaption, caption.substr(0, 62));
}

TEST(MsgBoxLayout, AShortLineGetsTheMinimumWidth) {
    const char text[] = "\x92\x5A\x82\xA2\x83\x65\x83\x4C\x83\x58\x83\x67"; // "短いテキスト"
    SIZE measured = measureText(text);
    ASSERT_LT(measured.cx, 200);
    checkLayout(text, 0, measured);
}

TEST(MsgBoxLayout, ALineWiderThanTwoHundredPixelsWidensTheBox) {
    // "この行は二百ピクセルよりも幅が広いのでボックスも広くなります。"
    const char text[] = "\x82\xB1\x82\xCC\x8D\x73\x82\xCD\x93\xF1\x95\x53\x83\x73\x83\x4E\x83"
                        "\x5A\x83\x8B\x82\xE6\x82\xE8\x82\xE0\x95\x9D\x82\xAA\x8D\x4C\x82\xA2"
                        "\x82\xCC\x82\xC5\x83\x7B\x83\x62\x83\x4E\x83\x58\x82\xE0\x8D\x4C\x82"
                        "\xAD\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x81\x42";
    SIZE measured = measureText(text);
    ASSERT_GT(measured.cx, 200);
    checkLayout(text, 4, measured);
}

TEST(MsgBoxLayout, ALineFeedMakesTwoLines) {
    // "一行目のテキストです\n二行目"
    const char text[] = "\x88\xEA\x8D\x73\x96\xDA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67\x82"
                        "\xC5\x82\xB7\n\x93\xF1\x8D\x73\x96\xDA";
    SIZE measured = measureText(text);
    ASSERT_EQ(measured.cy, 2 * measureText("x").cy);
    checkLayout(text, 2, measured);
}

TEST(MsgBoxLayout, DoubleAmpersandsAreMeasuredAsTheSingleOneShown) {
    const char text[] = "AT&&T, R&&D, Q&&A, B&&B, P&&L, M&&A, S&&P, H&&M, D&&G, C&&W, A&&W";
    SIZE measured = measureText(text);
    ASSERT_GT(measured.cx, 200);
    ASSERT_LT(measured.cx, measureText(text, DT_NOPREFIX).cx);
    checkLayout(text, 3, measured);
}

TEST(MsgBoxColours, ColourOnePaintsTheBoxAndLetsItShowThroughTextAndButtonRow) {
    const COLORREF back = RGB(200, 200, 240);
    ColourView view{};
    runBox({"OK", "colour", 4, 1, back}, [&](HWND box) {
        view = viewColours(box);
        pressKey(focusIn(box), VK_ESCAPE);
    });
    EXPECT_EQ(view.corner, back);
    EXPECT_EQ(view.besideText, back);
    EXPECT_EQ(view.betweenPair, back);
    EXPECT_EQ(view.dialogBrush, back);
    EXPECT_EQ(view.dialogBack, back);
    EXPECT_EQ(view.staticBrush, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(view.staticBackMode, TRANSPARENT);
    EXPECT_EQ(view.buttonBrush, GetStockObject(NULL_BRUSH));
}

TEST(MsgBoxColours, AnyOtherValueKeepsTheStandardColours) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int useColour : {0, 2}) {
        SCOPED_TRACE(useColour);
        ColourView view{};
        runBox({"OK", "standard", 4, useColour, RGB(255, 0, 0)}, [&](HWND box) {
            view = viewColours(box);
            pressKey(focusIn(box), VK_ESCAPE);
        });
        EXPECT_EQ(view.corner, face);
        EXPECT_EQ(view.besideText, face);
        EXPECT_EQ(view.betweenPair, face);
        EXPECT_EQ(view.dialogBrush, face);
        EXPECT_NE(view.staticBrush, GetStockObject(NULL_BRUSH));
        EXPECT_EQ(view.staticBackMode, OPAQUE);
    }
}

TEST(MsgBoxOwner, AVisibleWindowOfTheCallerOwnsTheBoxAndIsDisabledMeanwhile) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 120,
                                 600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    HWND boxOwner = nullptr;
    BOOL enabledMeanwhile = TRUE;
    RECT boxRect{};
    runBox({"owned", "owned", 0}, [&](HWND box) {
        boxOwner = GetWindow(box, GW_OWNER);
        enabledMeanwhile = IsWindowEnabled(owner);
        GetWindowRect(box, &boxRect);
        clickButton(box, 2002);
    });
    EXPECT_EQ(boxOwner, owner);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner));
    // Centred over the owner.
    EXPECT_NEAR(boxRect.left + boxRect.right, 100 + 700, 1);
    EXPECT_NEAR(boxRect.top + boxRect.bottom, 120 + 520, 1);
    DestroyWindow(owner);
}

TEST(MsgBoxLayout, EveryCaptionFitsItsButtonAndTheMarginsFollowTheSystemDpi) {
    // Set for the second run below, which must see that DPI.
    const char* rerunDpi = std::getenv("MSGBOX_TESTS_DPI");
    if (rerunDpi != nullptr) {
        ASSERT_EQ(screenDpi(), std::atoi(rerunDpi));
    }
    checkCaptionsAndMarginsAtTheSystemDpi();
    // Wine reads the user's LogPixels whenever a process starts, so under wine this test runs
    // once more at 144 DPI in a second process. Windows applies a new DPI only at the next
    // sign-in: there the test covers the DPI the machine runs at.
    if (underWine() && rerunDpi == nullptr && screenDpi() == kBaseDpi) {
        const char desktop[] = "Control Panel\\Desktop";
        const DWORD larger = 144;
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &larger,
                                  sizeof larger),
                  ERROR_SUCCESS);
        SetEnvironmentVariableA("MSGBOX_TESTS_DPI", "144");
        int exitCode = runThisProgram("--gtest_filter=MsgBoxLayout."
                                      "EveryCaptionFitsItsButtonAndTheMarginsFollowTheSystemDpi");
        SetEnvironmentVariableA("MSGBOX_TESTS_DPI", nullptr);
        // The session's prefix has no LogPixels of its own: without one, wine uses 96.
        RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels");
        EXPECT_EQ(exitCode, 0);
    }
}
