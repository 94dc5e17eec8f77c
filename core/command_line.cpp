#include "core/command_line.h"

#include <cstddef>

namespace {
bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

wchar_t lowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// The program's name ends at its closing quote, or unquoted at the first blank; a "/name"
// folder inside a quoted path is no switch.
const wchar_t* afterProgramName(const wchar_t* at) {
    if (*at == L'"') {
        ++at;
        while (*at != L'\0' && *at != L'"')
            ++at;
        return *at == L'"' ? at + 1 : at;
    }
    while (*at != L'\0' && !isBlank(*at))
        ++at;
    return at;
}
} // namespace

bool hasSwitch(const wchar_t* commandLine, const char* name) {
    if (commandLine == nullptr)
        return false;
    const wchar_t* at = afterProgramName(commandLine);
    for (;;) {
        while (isBlank(*at))
            ++at;
        if (*at == L'\0')
            return false;
        // One argument, compared character by character as it goes by.
        bool quoted = false;
        bool matches = true;
        std::size_t length = 0;
        for (; *at != L'\0' && (quoted || !isBlank(*at)); ++at) {
            if (*at == L'"') {
                quoted = !quoted;
                continue;
            }
            if (length == 0) {
                matches = *at == L'/' || *at == L'-';
            } else if (matches) {
                wchar_t expected = static_cast<unsigned char>(name[length - 1]);
                matches = expected != L'\0' && lowerAscii(*at) == lowerAscii(expected);
            }
            ++length;
        }
        if (matches && length > 0 && name[length - 1] == '\0')
            return true;
    }
}
