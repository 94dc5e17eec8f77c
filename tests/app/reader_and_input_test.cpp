// What a screen reader and the Japanese input method meet in Keyvane's real windows. Wine's
// annotation service refuses every name and its accessibility layer does not answer for edits:
// the names are watched at the seam.
#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include <map>
#include <string>
#include <utility>

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
        return named[GetDlgCtrlID(control)] = name, true;
    }
    void clear(HWND control) override { clearedWhileThere += IsWindow(control) ? 1 : 0; }
};

std::wstring typeOrPaste(HWND edit, std::initializer_list<wchar_t> keys, const wchar_t* pasted) {
    SetWindowTextW(edit, L"");
    for (wchar_t key : keys)
        SendMessageW(edit, WM_CHAR, key, 0);
    if (pasted != nullptr && OpenClipboard(nullptr)) {
        EmptyClipboard();
        size_t bytes = (wcslen(pasted) + 1) * sizeof(wchar_t);
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(data), pasted, bytes);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        SendMessageW(edit, WM_PASTE, 0, 0);
    }
    wchar_t text[64] = L"";
    GetWindowTextW(edit, text, 64);
    return text;
}

// Opens the dialog, runs check on it once it takes input, and closes it.
void (*check)(HWND);
void CALLBACK onIdle(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front != nullptr && IsWindowEnabled(front)) {
        std::exchange(check, [](HWND) {})(front);
        PostMessageW(front, WM_CLOSE, 0, 0);
    }
}
void run(Dialog&& dialog, void (*checkOnce)(HWND)) {
    check = checkOnce;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, onIdle);
    dialog.DoModal();
    KillTimer(nullptr, timer);
}
} // namespace

// A screen reader finds every field and list by the name of its label, until its dialog closes;
// PIN fields have no input context and take full-width digits as the digits they are.
TEST(ReaderAndInput, FieldsAndListsAreNamedAndPinFieldsTakeDigitsWhateverTheInputMethod) {
    NameRecorder recorder;
    setAccessibleNames(&recorder);
    run(MainWindow(), [](HWND) {});
    run(PinPrompt(),
        [](HWND prompt) { EXPECT_FALSE(ImmGetContext(GetDlgItem(prompt, IDC_PIN_FIELD))); });
    run(EntryEditor(), [](HWND editor) {
        HWND pin = GetDlgItem(editor, IDC_EDITOR_PIN), name = GetDlgItem(editor, IDC_EDITOR_NAME);
        EXPECT_FALSE(ImmGetContext(pin));
        HIMC other = ImmGetContext(name);
        EXPECT_TRUE(other) << "only the PIN fields go without";
        ImmReleaseContext(name, other);
        EXPECT_EQ(typeOrPaste(pin, {}, L"１２３４"), L"1234");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_EDITOR_CHANGE_PIN)));
        EXPECT_EQ(typeOrPaste(pin, {L'９', L'８', L'7', L'６'}, L"５"), L"9876"); // one too many
    });
    setAccessibleNames(nullptr);
    std::map<int, std::wstring> expected = {
        {IDC_MAIN_LIST, L"登録リスト"},   {IDC_PIN_FIELD, L"暗証番号"},
        {IDC_EDITOR_LIST, L"登録リスト"}, {IDC_EDITOR_NAME, L"登録名"},
        {IDC_EDITOR_ID, L"ID"},           {IDC_EDITOR_PASSWORD, L"ﾊﾟｽﾜｰﾄﾞ"},
        {IDC_EDITOR_URL, L"URL"},         {IDC_EDITOR_PIN, L"暗証番号"}};
    EXPECT_EQ(recorder.named, expected);
    EXPECT_EQ(recorder.clearedWhileThere, 8);
}
