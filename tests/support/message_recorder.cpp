#include "tests/support/message_recorder.h"

namespace {
std::vector<ShownMessage> shown;
int answer = kIdOk;

} // namespace

MessageRecorder::MessageRecorder() : previous_(setMessageBoxes(this)) {
    shown.clear();
    answer = kIdOk;
}

MessageRecorder::~MessageRecorder() {
    setMessageBoxes(previous_);
}

const std::vector<ShownMessage>& MessageRecorder::messages() const {
    return shown;
}

std::vector<std::string> MessageRecorder::texts() const {
    std::vector<std::string> result;
    for (const ShownMessage& m : shown)
        result.push_back(m.text);
    return result;
}

void MessageRecorder::clear() {
    shown.clear();
}

void MessageRecorder::answerWith(int result) {
    answer = result;
}

int MessageRecorder::show(const char* text, int type) {
    shown.push_back({text, type});
    return answer;
}
