#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::size_t fitLength(const char* text, std::size_t maxBytes) {
    std::size_t fit = 0;
    std::size_t i = 0;
    while (text[i] != '\0') {
        std::size_t width =
            (isLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0') ? 2 : 1;
        if (i + width > maxBytes)
            break;
        i += width;
        fit = i;
    }
    return fit;
}

bool copyText(char* dst, std::size_t size, const char* src) {
    if (size == 0)
        return false;
    std::size_t length = fitLength(src, size - 1);
    std::memmove(dst, src, length);
    dst[length] = '\0';
    return src[length] == '\0';
}

bool formatText(char* dst, std::size_t size, const char* format, ...) {
    if (size == 0)
        return false;
    va_list args;
    va_start(args, format);
    int needed = std::vsnprintf(dst, size, format, args);
    va_end(args);
    if (needed < 0) {
        dst[0] = '\0';
        return false;
    }
    if (static_cast<std::size_t>(needed) < size)
        return true;
    // vsnprintf cut byte-wise: drop a lead byte whose second byte was cut off.
    std::size_t length = size - 1;
    std::size_t i = 0;
    while (i < length) {
        bool lead = isLeadByte(static_cast<unsigned char>(dst[i]));
        if (lead && i + 1 == length)
            break;
        i += lead ? 2 : 1;
    }
    dst[i] = '\0';
    return false;
}

long findLastPathSeparator(const char* path, const char* separators) {
    long last = -1;
    for (long i = 0; path[i] != '\0'; ++i)
        if (std::strchr(separators, path[i]) != nullptr)
            last = i;
    return last;
}
