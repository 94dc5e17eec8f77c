// Bounded text handling for NUL-terminated strings of a double-byte code page (Shift-JIS,
// code page 932, unless the system's own is set) in fixed buffers.
// Portable: used by the store, the dialogs and the message box library alike.
#pragma once

#include <array>
#include <cstddef>

// Windows MAX_PATH: the longest path, terminator included, that every path buffer must hold.
constexpr std::size_t kMaxPathBytes = 260;

// The bytes that start a double-byte character: those of Shift-JIS (0x81-0x9F, 0xE0-0xFC) until
// setLeadBytes replaces them. A second byte may be 0x5C ('\'), so byte-wise scans must step
// over whole characters.
extern std::array<bool, 256> leadByteTable;

inline bool isLeadByte(unsigned char c) {
    return leadByteTable[c];
}

// Takes the lead bytes from isLead, asked once for every byte value. Windows programs pass the
// system's ANSI code page at start-up, as its own text functions use it.
void setLeadBytes(bool (*isLead)(unsigned char));

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
