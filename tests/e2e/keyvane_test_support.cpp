#include "tests/e2e/keyvane_test_support.h"

#include <stdexcept>

namespace kv {
const char kMainTitle[] = "Keyvane";
const char kPromptTitle[] = "Keyvane - ﾛｸﾞｲﾝ";
const char kEditorTitle[] = "Keyvane - 編集";
const char kLoginText[] = "ﾛｸﾞｲﾝ";
const char kLogoutText[] = "ﾛｸﾞｱｳﾄ";
} // namespace kv

int32_t lastUsedOf(const Bytes& list, size_t record) {
    size_t at = 12 + 524 * record + 264;
    if (list.size() < at + 4)
        return 0;
    return static_cast<int32_t>(list[at] | list[at + 1] << 8 | list[at + 2] << 16 |
                                static_cast<uint32_t>(list[at + 3]) << 24);
}

std::string besideTestProgram(const char* name) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string dir = utf8Path(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

KeyvaneRobot::KeyvaneRobot(const std::string& folderName)
    : Robot(besideTestProgram("Keyvane.exe"), {"Chimebox.dll"}, folderName) {}

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
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, widePath("Software\\Classes\\" + key).c_str(), 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register " + key);
    std::wstring wideName = name != nullptr ? widePath(name) : std::wstring();
    std::wstring wideValue = widePath(value); // the recorder's path, UTF-8 like every path
    RegSetValueExW(handle, name != nullptr ? wideName.c_str() : nullptr, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(wideValue.c_str()),
                   static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t)));
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
    DeleteFileW(widePath(log_).c_str());
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
