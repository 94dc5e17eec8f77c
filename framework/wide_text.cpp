#include "framework/wide_text.h"

#include <windows.h>

#include "core/text.h"

namespace {
constexpr UINT kShiftJis = 932;

std::wstring toWide(UINT codePage, const char* text) {
    int units = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (units <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, &wide[0], units);
    wide.resize(static_cast<std::size_t>(units - 1));
    return wide;
}

// The Shift-JIS bytes of units UTF-16 units; unknown characters become "?" and set lost.
std::string toShiftJis(const wchar_t* text, int units, bool& lost) {
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text, units, nullptr, 0,
                                    nullptr, &usedDefault);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text, units, &out[0], bytes, nullptr,
                            &usedDefault);
    lost = usedDefault != FALSE;
    return out;
}
} // namespace

std::wstring wideFromShiftJis(const char* text) {
    return toWide(kShiftJis, text);
}

bool shiftJisFromWide(const wchar_t* text, char* out, std::size_t size) {
    bool lost = false;
    std::string bytes = toShiftJis(text, -1, lost); // with its NUL
    copyText(out, size, bytes.c_str());
    return !lost;
}

bool shiftJisCanHold(const wchar_t* character, std::size_t units) {
    bool lost = false;
    toShiftJis(character, static_cast<int>(units), lost);
    return !lost;
}

std::size_t shiftJisLength(const wchar_t* text, std::size_t units) {
    bool lost = false;
    return units == 0 ? 0 : toShiftJis(text, static_cast<int>(units), lost).size();
}

std::wstring wideFromUtf8(const char* path) {
    return toWide(CP_UTF8, path);
}

bool utf8FromWide(const wchar_t* path, char* out, std::size_t size) {
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, path, -1, out, static_cast<int>(size), nullptr, nullptr);
    if (bytes <= 0) {
        if (size > 0)
            out[0] = '\0';
        return false;
    }
    return true;
}
