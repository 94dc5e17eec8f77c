#include "keyvane_test_support.h"

namespace kv {
const char kMainTitle[] = "Keyvane";
const char kPromptTitle[] = "Keyvane - ﾛｸﾞｲﾝ";
const char kEditorTitle[] = "Keyvane - 編集";
const char kLoginText[] = "ﾛｸﾞｲﾝ";
const char kLogoutText[] = "ﾛｸﾞｱｳﾄ";
} // namespace kv

std::string besideTestProgram(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

KeyvaneRobot::KeyvaneRobot() : Robot(besideTestProgram("Keyvane.exe"), {"Chimebox.dll"}) {}

HWND KeyvaneRobot::startToMainWindow() {
    if (!start())
        return nullptr;
    return waitForWindow("Keyvane*", "#32770");
}

bool KeyvaneRobot::logIn(const std::string& pin) {
    HWND prompt = waitForWindow(kv::kPromptTitle);
    if (prompt == nullptr)
        return false;
    type(prompt, kv::kPinField, pin);
    return waitForNoWindow(kv::kPromptTitle);
}

HWND KeyvaneRobot::startAndLogIn(const std::string& pin) {
    if (!start() || !logIn(pin))
        return nullptr;
    return waitForWindow("Keyvane*", "#32770");
}
