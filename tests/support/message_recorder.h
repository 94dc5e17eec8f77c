// Captures every message the code under test shows, in place of the message box.
#pragma once

#include <string>
#include <vector>

#include "core/app_message.h"

struct ShownMessage {
    std::string text;
    int type;
};

class MessageRecorder : public MessageBoxes {
public:
    MessageRecorder();
    ~MessageRecorder() override;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<ShownMessage>& messages() const;
    std::vector<std::string> texts() const;
    void clear();
    // The button the next messages are answered with.
    void answerWith(int result);
    int show(const char* text, int type) override;

private:
    MessageBoxes* previous_;
};
