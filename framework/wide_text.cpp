#include "framework/wide_text.h"

#include <cstdlib>
#include <cstring>

#include "core/text.h"

namespace {
constexpr UINT kShiftJis = 932;

// Shift-JIS bytes for units UTF-16 units (-1: up to the terminator, which is then counted),
// into out when it is given; lost tells whether a character had to become "?".
int toShiftJis(const wchar_t* text, int units, char* out, int size, bool& lost) {
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text, units, out, size,
                                    nullptr, &usedDefault);
    lost = usedDefault != FALSE;
    return bytes > 0 ? bytes : 0;
}
} // namespace

WideText::WideText(const char* text, Encoding encoding) {
    UINT codePage = encoding == Encoding::Utf8 ? CP_UTF8 : kShiftJis;
    int units = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        small_[0] = L'\0';
        return;
    }
    wchar_t* buffer = reserve(static_cast<std::size_t>(units));
    int got = MultiByteToWideChar(codePage, 0, text, -1, buffer, static_cast<int>(capacity_));
    size_ = static_cast<std::size_t>(got > 0 ? got - 1 : 0);
    text_[size_] = L'\0';
}

WideText::WideText(HWND window) {
    int units = GetWindowTextLengthW(window) + 1;
    wchar_t* buffer = reserve(static_cast<std::size_t>(units));
    int got = GetWindowTextW(window, buffer, static_cast<int>(capacity_));
    size_ = static_cast<std::size_t>(got > 0 ? got : 0);
    text_[size_] = L'\0';
}

WideText::~WideText() {
    if (text_ != small_)
        std::free(text_);
}

// Room for units units when memory allows; capacity_ says how much there is.
wchar_t* WideText::reserve(std::size_t units) {
    if (units > capacity_) {
        if (auto* large = static_cast<wchar_t*>(std::malloc(units * sizeof(wchar_t)))) {
            text_ = large;
            capacity_ = units;
        }
    }
    text_[0] = L'\0';
    return text_;
}

void WideText::wipe() {
    SecureZeroMemory(text_, size_ * sizeof(wchar_t));
}

bool shiftJisFromWide(const wchar_t* text, char* out, std::size_t size) {
    bool lost = false;
    int bytes = toShiftJis(text, -1, nullptr, 0, lost); // with the terminator
    char small[512];
    char* converted = bytes <= static_cast<int>(sizeof small)
                          ? small
                          : static_cast<char*>(std::malloc(static_cast<std::size_t>(bytes)));
    if (converted == nullptr || bytes == 0) {
        if (size > 0)
            out[0] = '\0';
        return false;
    }
    toShiftJis(text, -1, converted, bytes, lost);
    copyText(out, size, converted);
    if (converted != small)
        std::free(converted);
    return !lost;
}

bool shiftJisCanHold(const wchar_t* text, std::size_t units) {
    bool lost = false;
    if (units > 0)
        toShiftJis(text, static_cast<int>(units), nullptr, 0, lost);
    return !lost;
}

std::size_t shiftJisLength(const wchar_t* text, std::size_t units) {
    bool lost = false;
    return units == 0 ? 0
                      : static_cast<std::size_t>(
                            toShiftJis(text, static_cast<int>(units), nullptr, 0, lost));
}

bool utf8FromWide(const wchar_t* path, HeapText& out) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || !out.reserve(static_cast<std::size_t>(bytes) - 1)) {
        out.clear();
        return false;
    }
    WideCharToMultiByte(CP_UTF8, 0, path, -1, out.data(), bytes, nullptr, nullptr);
    return true;
}
