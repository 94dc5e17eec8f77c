#include "core/app_message.h"

namespace {
// Before start-up installs the real box, and in tests that show nothing.
struct Silent : MessageBoxes {
    int show(const char*, int) override { return kIdOk; }
} silent;

MessageBoxes* installed = nullptr;
} // namespace

int appMessageBox(const char* text, int type) {
    return messageBoxes().show(text, type);
}

MessageBoxes& messageBoxes() {
    return installed != nullptr ? *installed : silent;
}

MessageBoxes* setMessageBoxes(MessageBoxes* boxes) {
    MessageBoxes* previous = installed;
    installed = boxes;
    return previous;
}
