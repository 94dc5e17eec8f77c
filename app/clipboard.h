// Putting a copied ID or password on the clipboard.
#pragma once

#include <windows.h>

enum class ClipboardResult { Copied, CannotOpen, CannotEmpty, CannotSet };

// Puts text (Shift-JIS) on the clipboard as plain text, marked so that Windows keeps it out of
// clipboard history and the cloud clipboard. Retries opening briefly, since clipboard managers hold
// the clipboard for a moment after every change.
ClipboardResult copyToClipboard(HWND owner, const char* text);

// The clipboard's change counter, as it stands after a copy: it tells later whether the
// clipboard still holds exactly that copy. 0 when the system keeps no counter for us.
DWORD clipboardChangeCount();

// Empties the clipboard if it still holds what it held when the counter read changeCount, so
// that whatever the user copied since is left alone. A count of 0 empties nothing.
void clearClipboardIfUnchanged(HWND owner, DWORD changeCount);
