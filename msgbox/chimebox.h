// Chimebox.dll: a modal message box with Japanese button captions, laid out to fit its text.
#pragma once

#include <windows.h>

#ifdef CHIMEBOX_BUILD
#define CHIMEBOX_API
#else
#define CHIMEBOX_API __declspec(dllimport)
#endif

extern "C" {
// Shows message (Shift-JIS, a line feed starts a new line; at most 127 bytes are shown) under
// the title caption (at most 63 bytes) with the buttons of boxType (MB_OK 0 ... MB_RETRYCANCEL
// 5) and returns the pressed button's code (IDOK 1 ... IDNO 7), 2 for Escape or a close
// request, or -1 when the box cannot be created. useColour 1 paints the box in backColour;
// any other value keeps the standard colours. Runs on the calling thread until the box ends.
CHIMEBOX_API int BootMsgBox(const char* message, const char* caption, int boxType, int useColour,
                            COLORREF backColour);
}
