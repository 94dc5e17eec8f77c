#include "text_win.h"

#include <windows.h>

#include "text.h"

void useSystemCodePage() {
    setLeadBytes([](unsigned char c) { return IsDBCSLeadByte(c) != 0; });
}
