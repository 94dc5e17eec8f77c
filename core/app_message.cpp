#include "core/app_message.h"

#include "core/seam.h"

namespace {
// Before start-up installs the real box, and in tests that show nothing.
MessageBoxes& silent() {
    static struct : MessageBoxes {
        int show(const char*, int) override { return kIdOk; }
    } boxes;
    return boxes;
}

Seam<MessageBoxes, silent> seam;
} // namespace

int appMessageBox(const char* text, int type) {
    return messageBoxes().show(text, type);
}

MessageBoxes& messageBoxes() {
    return seam.get();
}

MessageBoxes* setMessageBoxes(MessageBoxes* boxes) {
    return seam.install(boxes);
}
