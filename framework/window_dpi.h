// Each window at its own DPI. The functions that know a window's or a given DPI came with
// Windows 10; they are looked up at run time, and where they are missing the system's DPI is
// the only one, so the system-wide answers stand in for them.
#pragma once

#include <windows.h>

// The DPI the window is shown at; the system's where that cannot be asked.
int windowDpi(HWND window);
int systemDpi();

// GetSystemMetrics at dpi.
int systemMetricForDpi(int index, int dpi);
// The window rectangle around client, for these styles, at dpi.
RECT windowRectForClient(RECT client, DWORD style, bool hasMenu, DWORD exStyle, int dpi);

// Keeps the dialog manager from rescaling this dialog and its controls when the DPI changes:
// the dialog lays itself out again, once.
void keepDialogScalingOurs(HWND dialog);

// The module's icon at the size of metric (SM_CXICON or SM_CXSMICON) at dpi, made from the
// next larger image when the exact one is missing, never enlarged; the caller destroys it.
HICON loadIconForDpi(HINSTANCE module, int iconId, int metric, int dpi);
