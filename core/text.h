// Bounded text handling for the program's texts: NUL-terminated Shift-JIS (code page 932) in
// fixed buffers, in memory and in the data files, whatever the system's own code page.
// Paths are kept apart: they are UTF-8 (see findLastPathSeparator).
// Portable: used by the store, the dialogs and the message box library alike.
#pragma once

#include <cstddef>

// Windows MAX_PATH: the longest path, terminator included, that every path buffer must hold.
constexpr std::size_t kMaxPathBytes = 260;

// The bytes that start a double-byte Shift-JIS character (0x81-0x9F, 0xE0-0xFC). A second byte
// may be 0x5C ('\'), so byte-wise scans must step over whole characters.
constexpr bool isLeadByte(unsigned char c) {
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

// Offset of the last byte in path that is one of the separator characters; -1 when there is
// none. Paths are UTF-8, whose characters of several bytes never hold a byte below 0x80, so
// every '\\' or '/' byte is a separator.
long findLastPathSeparator(const char* path, const char* separators);
