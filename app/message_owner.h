// Messages shown before the main window is on the screen (the Data folder cannot be used, the
// List cannot be read) would have no owner: they would open wherever the system puts a window
// without one, and outside the capture rule. They get a stand-in owner instead: an empty window
// where the main window opens, under the program's capture rule.
#pragma once

#include "core/app_message.h"

// Shows each message with boxes; while the main window is not visible, over a stand-in owner.
class OverMainWindow : public MessageBoxes {
public:
    explicit OverMainWindow(MessageBoxes& boxes) : boxes_(boxes) {}
    int show(const char* text, int type) override;

private:
    MessageBoxes& boxes_;
};
