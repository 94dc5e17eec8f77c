// Putting a copied ID or password on the clipboard.
#pragma once

#include <windows.h>

enum class ClipboardResult { Copied, CannotOpen, CannotEmpty, CannotSet };

// Puts text on the clipboard as plain text, marked so that Windows keeps it out of clipboard
// history and the cloud clipboard. Retries opening briefly, since clipboard managers hold the
// clipboard for a moment after every change.
ClipboardResult copyToClipboard(HWND owner, const char* text);
