// Bounded text handling for NUL-terminated Shift-JIS (code page 932) strings in fixed buffers.
// Portable: used by the store, the dialogs and the message box library alike.
#pragma once

#include <cstddef>

// Windows MAX_PATH: the longest path, terminator included, that every path buffer must hold.
constexpr std::size_t kMaxPathBytes = 260;

// A Shift-JIS double-byte character starts with one of these; its second byte may be any of
// 0x40-0xFC, 0x5C ('\') included, so byte-wise scans must step over whole characters.
inline bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest start of text, at most maxBytes long, that ends on a character
// boundary. Stops at the terminating NUL.
std::size_t fitLength(const char* text, std::size_t maxBytes);

// Copies src into dst (size bytes), cutting it at a character boundary when it does not fit;
// dst is always terminated. Returns false when the text was cut.
bool copyText(char* dst, std::size_t size, const char* src);

// snprintf into dst; a result that does not fit is cut at a character boundary and false is
// returned.
bool formatText(char* dst, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Offset of the last byte in text that is one of the separator characters, skipping the second
// bytes of double-byte characters; -1 when there is none.
long findLastSeparator(const char* text, const char* separators);
