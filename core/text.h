// Bounded text handling for the program's texts: NUL-terminated Shift-JIS (code page 932) in
// fixed buffers, in memory and in the data files, whatever the system's own code page.
// Paths are kept apart: they are UTF-8 (see findLastPathSeparator).
// Portable: used by the store, the dialogs and the message box library alike.
#pragma once

#include <cstddef>

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

// Shortens text in place to at most maxBytes bytes by putting "..." for its middle, cut at
// character boundaries: the start and the end of a path say most about it.
void shortenMiddle(char* text, std::size_t maxBytes);

// A NUL-terminated text of any length on the heap: paths, which Windows takes up to 32,767
// characters long, far beyond any fixed buffer worth keeping. Reads as a C string; empty until
// formatted.
class HeapText {
public:
    HeapText() = default;
    HeapText(const HeapText& other) { *this = other; }
    HeapText& operator=(const HeapText& other);
    ~HeapText();

    // Replaces the text; false, and empty, when memory for it cannot be had.
    bool format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Replaces the text with length zero bytes and a terminator, to be written into through
    // data(); false, and empty, when memory for it cannot be had.
    bool reserve(std::size_t length);
    void clear();

    bool empty() const { return text_ == nullptr || text_[0] == '\0'; }
    const char* get() const { return text_ != nullptr ? text_ : ""; }
    operator const char*() const { return get(); }
    // For cutting the text in place; nullptr while empty.
    char* data() { return text_; }

private:
    char* text_ = nullptr;
};
