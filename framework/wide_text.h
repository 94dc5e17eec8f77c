// Text crossing between the program and the Windows side, always with an explicit code page and
// never the system's: the program's texts are Shift-JIS (code page 932), its paths UTF-8, and
// Windows is spoken to in UTF-16 through the wide-character functions. No standard library
// strings: the message-box library stays small.
#pragma once

#include <windows.h>

#include <cstddef>

#include "core/text.h"

enum class Encoding { ShiftJis, Utf8 };

// A narrow text, or a window's own text, in UTF-16 for as long as the object lives.
class WideText {
public:
    explicit WideText(const char* text, Encoding encoding = Encoding::ShiftJis);
    explicit WideText(HWND window);
    ~WideText();
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    const wchar_t* get() const { return text_; }
    std::size_t size() const { return size_; } // UTF-16 units, the terminator not counted
    // Overwrites the text, for a secret that must not linger in memory.
    void wipe();

private:
    wchar_t* reserve(std::size_t units);

    wchar_t small_[256];
    wchar_t* text_ = small_;
    std::size_t capacity_ = sizeof small_ / sizeof small_[0];
    std::size_t size_ = 0;
};

// A UTF-16 text in Shift-JIS, into out (size bytes, always terminated), cut at a character
// boundary when it does not fit. Returns false when text holds a character that code page 932
// cannot hold: that character is then written as "?".
bool shiftJisFromWide(const wchar_t* text, char* out, std::size_t size);

// Can code page 932 hold every character of these units?
bool shiftJisCanHold(const wchar_t* text, std::size_t units);

// Shift-JIS bytes of these units, a character that code page 932 cannot hold counted as one.
std::size_t shiftJisLength(const wchar_t* text, std::size_t units);

// A UTF-16 path in UTF-8, of any length; false, with out empty, when it cannot be converted.
bool utf8FromWide(const wchar_t* path, HeapText& out);
