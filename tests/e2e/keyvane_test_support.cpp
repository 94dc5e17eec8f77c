#include "tests/e2e/keyvane_test_support.h"

#include <stdexcept>

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

namespace {
// Wine 8 ignores per-user class keys, so the classes go under HKLM.
void setClassValue(const std::string& key, const char* name, const std::string& value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + key).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register " + key);
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}
} // namespace

OpenRecorder::OpenRecorder(const std::vector<std::string>& kinds)
    : log_(besideTestProgram("opened.txt")) {
    std::string command = "\"" + besideTestProgram("url_recorder.exe") + "\" \"%1\"";
    for (const std::string& kind : kinds) {
        std::string key = kind;
        if (kind[0] == '.') { // a file type: point it at a class of ours
            key = "kvtest" + kind;
            setClassValue(kind, nullptr, key);
        } else {
            setClassValue(key, "URL Protocol", "");
        }
        setClassValue(key + "\\shell\\open\\command", nullptr, command);
    }
    DeleteFileA(log_.c_str());
}

std::string OpenRecorder::opened() const {
    if (!exists(log_))
        return "";
    Bytes bytes = readBytes(log_);
    return std::string(bytes.begin(), bytes.end());
}

bool OpenRecorder::waitForOpen(int timeoutMs) const {
    return Robot::waitUntil([&] { return !opened().empty(); }, timeoutMs);
}
