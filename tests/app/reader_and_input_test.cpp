// What a screen reader and the Japanese input method meet in Keyvane's real windows: every field
// and list named after its label, and PIN fields that take digits whatever the input method does.
// Wine's accessibility layer does not answer for edit controls: watch the seam.
#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include <map>
#include <string>

#include "app/dialogs/entry_editor.h"
#include "app/dialogs/main_window.h"
#include "app/dialogs/pin_prompt.h"
#include "app/resources/resource.h"
#include "core/app_message.h"
#include "framework/accessible_names.h"

namespace {
struct NameRecorder : AccessibleNames {
    std::map<int, std::wstring> named;
    int clearedWhileThere = 0;
    bool set(HWND control, const wchar_t* name) override {
        named[GetDlgCtrlID(control)] = name;
        return true;
    }
    void clear(HWND control) override { clearedWhileThere += IsWindow(control) ? 1 : 0; }
};

std::wstring textOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

void putOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(data), text, bytes);
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
}

// Runs check on the dialog once it takes input, then closes it (and with it, for the main
// window's Edit button, goes one level deeper first).
struct Visit {
    void (*check)(HWND front);
    bool done;
} visit;
void CALLBACK onIdle(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front == nullptr || !IsWindowEnabled(front))
        return;
    if (!visit.done) {
        visit.done = true;
        visit.check(front);
    }
    PostMessageW(front, WM_CLOSE, 0, 0);
}

void run(Dialog&& dialog, void (*check)(HWND)) {
    visit = {check, false};
    UINT_PTR timer = SetTimer(nullptr, 0, 20, onIdle);
    dialog.DoModal();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(visit.done);
}
} // namespace

TEST(ScreenReader, EveryFieldAndListIsNamedAfterItsLabelUntilItsDialogCloses) {
    NameRecorder recorder;
    setAccessibleNames(&recorder);
    setMessageHandler([](const char*, int) { return 1; }); // the editor's note that no PIN is set
    run(MainWindow(), [](HWND) {});
    run(PinPrompt(), [](HWND) {});
    run(EntryEditor(), [](HWND) {});
    setMessageHandler(nullptr);
    setAccessibleNames(nullptr);

    std::map<int, std::wstring> expected = {
        {IDC_MAIN_LIST, L"登録リスト"},  {IDC_PIN_FIELD, L"暗証番号"},
        {IDC_EDITOR_LIST, L"登録リスト"}, {IDC_EDITOR_NAME, L"登録名"},
        {IDC_EDITOR_ID, L"ID"},          {IDC_EDITOR_PASSWORD, L"ﾊﾟｽﾜｰﾄﾞ"},
        {IDC_EDITOR_URL, L"URL"},        {IDC_EDITOR_PIN, L"暗証番号"},
    };
    EXPECT_EQ(recorder.named, expected);
    EXPECT_EQ(recorder.clearedWhileThere, 8);
}

TEST(InputMethod, PinFieldsHaveNoInputContextAndTakeFullWidthDigitsAsDigits) {
    setMessageHandler([](const char*, int) { return 1; });
    run(PinPrompt(), [](HWND prompt) { EXPECT_EQ(ImmGetContext(GetDlgItem(prompt, IDC_PIN_FIELD)), nullptr); });
    run(EntryEditor(), [](HWND editor) {
        HWND pin = GetDlgItem(editor, IDC_EDITOR_PIN);
        EXPECT_EQ(ImmGetContext(pin), nullptr);
        HIMC other = ImmGetContext(GetDlgItem(editor, IDC_EDITOR_NAME));
        EXPECT_NE(other, nullptr) << "only the PIN fields go without";
        ImmReleaseContext(GetDlgItem(editor, IDC_EDITOR_NAME), other);

        putOnClipboard(L"１２３４");
        SendMessageW(pin, WM_PASTE, 0, 0);
        EXPECT_EQ(textOf(pin), L"1234");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_EDITOR_CHANGE_PIN)));
        SetWindowTextW(pin, L"");
        for (wchar_t typed : {L'９', L'８', L'7', L'６'})
            SendMessageW(pin, WM_CHAR, typed, 0);
        EXPECT_EQ(textOf(pin), L"9876");
        putOnClipboard(L"１２３４５"); // one too many, as ever
        SendMessageW(pin, WM_PASTE, 0, 0);
        EXPECT_EQ(textOf(pin), L"9876");
    });
    setMessageHandler(nullptr);
}
