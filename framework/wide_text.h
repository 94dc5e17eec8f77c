// Text crossing between the program and the Windows side, always with an explicit code page and
// never the system's: the program's texts are Shift-JIS (code page 932), its paths UTF-8, and
// Windows is spoken to in UTF-16 through the wide-character functions.
#pragma once

#include <cstddef>
#include <string>

// A Shift-JIS text in UTF-16.
std::wstring wideFromShiftJis(const char* text);

// A UTF-16 text in Shift-JIS, into out (size bytes, always terminated), cut at a character
// boundary when it does not fit. Returns false when text holds a character that code page 932
// cannot hold: that character is then written as "?".
bool shiftJisFromWide(const wchar_t* text, char* out, std::size_t size);

// The same for one character (a surrogate pair counts as one): can code page 932 hold it?
bool shiftJisCanHold(const wchar_t* character, std::size_t units);

// Shift-JIS bytes of a UTF-16 text, characters that code page 932 cannot hold counted as one.
std::size_t shiftJisLength(const wchar_t* text, std::size_t units);

// A UTF-8 path in UTF-16, and back. Nothing is lost either way; utf8FromWide returns false, with
// out empty, when the path does not fit.
std::wstring wideFromUtf8(const char* path);
bool utf8FromWide(const wchar_t* path, char* out, std::size_t size);
