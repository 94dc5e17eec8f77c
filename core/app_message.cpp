#include "core/app_message.h"

namespace {
MessageHandler currentHandler = nullptr;
}

int appMessageBox(const char* text, int type) {
    return currentHandler != nullptr ? currentHandler(text, type) : kIdOk;
}

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = currentHandler;
    currentHandler = handler;
    return previous;
}
