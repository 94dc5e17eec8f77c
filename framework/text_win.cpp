#include "framework/text_win.h"

#include <windows.h>

#include "core/text.h"

void useSystemCodePage() {
    setLeadBytes([](unsigned char c) { return IsDBCSLeadByte(c) != 0; });
}
