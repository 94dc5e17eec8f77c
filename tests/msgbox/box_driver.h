// Drives Chimebox's modal box from a helper thread while BootMsgBox runs on the test thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct BoxCall {
    const char* message;
    const char* caption;
    int type;
    int useColour = 0;
    COLORREF backColour = 0;
};

// Calls BootMsgBox on this thread. Once the box is up (visible, painted), act runs on a helper
// thread with the box's window and should end it. A box still up five seconds later is
// cancelled and the test fails. Returns BootMsgBox's result.
int runBox(const BoxCall& call, const std::function<void(HWND box)>& act);

// Actions and observations from the helper thread. Clicks and keys are posted, so they travel
// through the box's own message loop as the user's would.
void clickButton(HWND box, int id);
void pressKey(HWND target, WPARAM key);
void postCommand(HWND box, int id);
// The control that has the keyboard focus in the box's thread.
HWND focusIn(HWND box);
// A window's rectangle in the box's client coordinates.
RECT rectInBox(HWND box, HWND window);
std::string windowText(HWND window);

// Where Wine and Windows differ, the tests expect what Windows does and note Wine's way.
bool underWine();
