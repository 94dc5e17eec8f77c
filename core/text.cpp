#include "core/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
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

void shortenMiddle(char* text, std::size_t maxBytes) {
    static const char kEllipsis[] = "...";
    std::size_t length = std::strlen(text);
    if (length <= maxBytes)
        return;
    if (maxBytes < sizeof kEllipsis) {
        text[fitLength(text, maxBytes)] = '\0';
        return;
    }
    std::size_t room = maxBytes - (sizeof kEllipsis - 1);
    std::size_t head = fitLength(text, room / 2);
    // The end starts on a character boundary: walk whole characters from the start.
    std::size_t tail = 0;
    while (tail < length && length - tail > room - head) {
        bool pair = isLeadByte(static_cast<unsigned char>(text[tail])) && text[tail + 1] != '\0';
        tail += pair ? 2 : 1;
    }
    std::memcpy(text + head, kEllipsis, sizeof kEllipsis - 1);
    std::memmove(text + head + sizeof kEllipsis - 1, text + tail, length - tail + 1);
}

HeapText& HeapText::operator=(const HeapText& other) {
    if (this != &other && (other.text_ == nullptr || !format("%s", other.text_)))
        clear();
    return *this;
}

HeapText::~HeapText() {
    clear();
}

void HeapText::clear() {
    std::free(text_);
    text_ = nullptr;
}

bool HeapText::reserve(std::size_t length) {
    clear();
    text_ = static_cast<char*>(std::calloc(length + 1, 1));
    return text_ != nullptr;
}

bool HeapText::format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    char* text = needed >= 0 ? static_cast<char*>(std::malloc(static_cast<std::size_t>(needed) + 1))
                             : nullptr;
    if (text != nullptr)
        std::vsnprintf(text, static_cast<std::size_t>(needed) + 1, format, again);
    va_end(again);
    clear();
    text_ = text;
    return text != nullptr;
}
