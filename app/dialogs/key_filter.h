// The keyboard filter of the main window, the PIN prompt and the editor: Return and Escape
// must neither press a default button nor close them, so every queued message whose wParam is
// either key code is dropped, whatever the message.
#pragma once

#include <windows.h>

#include "framework/dialog.h"

template <class D> class KeyFilteredDialog : public CommandDialog<D> {
public:
    bool PreTranslateMessage(MSG* msg) override {
        return msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE ||
               Dialog::PreTranslateMessage(msg);
    }

protected:
    using CommandDialog<D>::CommandDialog;
};
