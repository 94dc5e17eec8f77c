#include "framework/controls.h"

#include <cstdlib>
#include <cwchar>

#include <imm.h>

#include "core/text.h"
#include "framework/wide_text.h"

namespace {
// An edit's byte limit, kept with the window; the edit's own procedure runs behind it.
struct ByteLimit {
    WNDPROC previous;
    std::size_t bytes;
    bool dropLowSurrogate; // the half of a refused pair still to come
    bool asciiDigits;      // full-width digits are taken as ASCII ones
};
const wchar_t kByteLimitProperty[] = L"KeyvaneByteLimit";

bool changesText(UINT message) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case EM_REPLACESEL:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    default:
        return false;
    }
}

// '０'..'９' (U+FF10..U+FF19) as '0'..'9'; anything else as it is.
wchar_t asciiDigit(wchar_t c) {
    return c >= 0xFF10 && c <= 0xFF19 ? static_cast<wchar_t>(L'0' + (c - 0xFF10)) : c;
}

// The clipboard's text with full-width digits made ASCII, put in as if typed; false when the
// clipboard holds no text to read. A PIN field takes a few characters: a longer text is cut
// here, and refused below as any text too long would be.
bool pasteWithAsciiDigits(HWND edit) {
    if (!OpenClipboard(edit))
        return false;
    wchar_t converted[64];
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        std::size_t length = wcsnlen(text, sizeof converted / sizeof converted[0] - 1);
        for (std::size_t i = 0; i < length; ++i)
            converted[i] = asciiDigit(text[i]);
        converted[length] = L'\0';
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (text == nullptr)
        return false;
    // Through the edit's own procedure, and so through the limit below.
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(converted));
    SecureZeroMemory(converted, sizeof converted);
    return true;
}

void refuse(HWND edit) {
    MessageBeep(MB_OK);
    SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), kEditRefusedCharacter),
                 reinterpret_cast<LPARAM>(edit));
}

// Whatever the user's input does (a key, a paste, the input method's result), the text after it
// is checked; input that breaks the limit is taken back and the text restored as it was.
LRESULT CALLBACK byteLimitedEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* limit = static_cast<ByteLimit*>(GetPropW(edit, kByteLimitProperty));
    WNDPROC previous = limit->previous;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(edit, kByteLimitProperty);
        std::free(limit);
        return CallWindowProcW(previous, edit, message, wParam, lParam);
    }
    if (message == WM_CHAR && IS_LOW_SURROGATE(wParam) && limit->dropLowSurrogate) {
        limit->dropLowSurrogate = false;
        return 0;
    }
    if (message == WM_CHAR && IS_HIGH_SURROGATE(wParam)) { // nothing beyond 0xFFFF is in 932
        limit->dropLowSurrogate = true;
        refuse(edit);
        return 0;
    }
    if (limit->asciiDigits) {
        if (message == WM_CHAR || message == WM_IME_CHAR)
            wParam = asciiDigit(static_cast<wchar_t>(wParam));
        else if (message == WM_PASTE && pasteWithAsciiDigits(edit))
            return 0;
    }
    if (!changesText(message))
        return CallWindowProcW(previous, edit, message, wParam, lParam);

    WideText before(edit);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    LRESULT result = CallWindowProcW(previous, edit, message, wParam, lParam);
    WideText after(edit);
    if (std::wcscmp(after.get(), before.get()) == 0)
        return result;
    bool refused = !shiftJisCanHold(after.get(), after.size());
    if (refused || shiftJisLength(after.get(), after.size()) > limit->bytes) {
        SetWindowTextW(edit, before.get());
        SendMessageW(edit, EM_SETSEL, start, end);
        if (refused)
            refuse(edit);
        else
            MessageBeep(MB_OK);
    }
    return result;
}
} // namespace

bool windowText(HWND window, char* buffer, std::size_t size) {
    if (size == 0)
        return true;
    return shiftJisFromWide(WideText(window).get(), buffer, size);
}

void Control::setText(const char* text) const {
    SetWindowTextW(hwnd_, WideText(text).get());
}

void Edit::setLimit(int bytes) const {
    // Never more characters than bytes; the byte count itself is kept by the procedure.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(bytes), 0);
    auto* limit = static_cast<ByteLimit*>(std::calloc(1, sizeof(ByteLimit)));
    if (limit == nullptr)
        return; // the character limit above still holds
    limit->bytes = static_cast<std::size_t>(bytes);
    SetPropW(hwnd_, kByteLimitProperty, limit);
    limit->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(byteLimitedEdit)));
}

void Edit::takeAsciiDigits() const {
    // Without an input context the input method never composes here: keys arrive as typed.
    ImmAssociateContextEx(hwnd_, nullptr, 0);
    if (auto* limit = static_cast<ByteLimit*>(GetPropW(hwnd_, kByteLimitProperty)))
        limit->asciiDigits = true;
}

void ListBox::append(const char* text) const {
    SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(WideText(text).get()));
}

void ListBox::rowText(int row, char* buffer, std::size_t size) const {
    if (size == 0)
        return;
    buffer[0] = '\0';
    LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return;
    // LB_GETTEXT has no size argument: read into a buffer of the row's own length first.
    auto* text =
        static_cast<wchar_t*>(std::calloc(static_cast<std::size_t>(length) + 1, sizeof(wchar_t)));
    if (text == nullptr)
        return;
    if (SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text)) !=
        LB_ERR)
        shiftJisFromWide(text, buffer, size);
    std::free(text);
}
