#include "tests/e2e/robot.h"

#include <sddl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace {
const int kPollMs = 20;
// Every message the robot sends waits at most this long, so a hung program fails the test
// instead of hanging it.
const UINT kSendTimeoutMs = 5000;

// Everything is asked and told in UTF-16 and converted with code page 932 here, so that the
// tests see the program's Shift-JIS texts whatever the system's code page.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::string besideProgram(const std::string& program, const std::string& name) {
    size_t slash = program.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : program.substr(0, slash + 1)) + name;
}

std::string fileName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void copyInto(const std::string& from, const std::string& to) {
    if (!CopyFileW(widePath(from).c_str(), widePath(to).c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to);
}

// A few tries: the program under test may hold the clipboard for a moment.
bool openClipboard() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(kPollMs);
    }
    return false;
}

std::wstring fromShiftJis(const std::string& text) {
    int units = MultiByteToWideChar(932, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 1), L'\0');
    MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], units);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::string className(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    std::string ascii;
    for (const wchar_t* c = name; *c != L'\0'; ++c)
        ascii += static_cast<char>(*c);
    return ascii;
}

std::string toShiftJis(const wchar_t* text) {
    int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(932, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(std::strlen(bytes.c_str()));
    return bytes;
}

bool titleMatches(const std::string& actual, const char* wanted) {
    if (wanted == nullptr)
        return true;
    size_t length = std::strlen(wanted);
    if (length > 0 && wanted[length - 1] == '*')
        return actual.compare(0, length - 1, wanted, length - 1) == 0;
    return actual == wanted;
}
} // namespace

Robot::Robot(const std::string& program, const std::vector<std::string>& companions,
             const std::string& subfolder)
    : place_(subfolder.empty() ? folder_.path() : folder_.join(subfolder)) {
    // Level by level: a subfolder may be several folders deep.
    for (size_t cut = 0; !subfolder.empty() && cut != std::string::npos;) {
        cut = subfolder.find('\\', cut + 1);
        makeDir(folder_.join(subfolder.substr(0, cut)));
    }
    program_ = place_ + "\\" + fileName(program);
    copyInto(program, program_);
    for (const std::string& name : companions)
        copyInto(besideProgram(program, name), place_ + "\\" + name);
}

Robot::~Robot() {
    if (running())
        stop();
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

std::string Robot::dataPath(const std::string& name) const {
    return place_ + "\\Data\\" + name;
}

void Robot::writeDataFile(const std::string& name, const Bytes& bytes) {
    std::string data = place_ + "\\Data";
    if (!isDirectory(data))
        makeDir(data);
    writeBytes(dataPath(name), bytes);
}

Bytes Robot::readDataFile(const std::string& name) const {
    return readBytes(dataPath(name));
}

bool Robot::dataFileExists(const std::string& name) const {
    return exists(dataPath(name));
}

bool Robot::start(const std::string& arguments) {
    if (process_.hProcess != nullptr) {
        if (running())
            throw std::logic_error("the program is still running");
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = {};
    }
    std::wstring commandLine = L"\"" + widePath(program_) + L"\"";
    if (!arguments.empty())
        commandLine += L" " + widePath(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Once, under wine, a start right after the previous instance ended failed at once (in a
    // folder of Japanese names; not seen again): try a few times and say why each one failed.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (CreateProcessW(widePath(program_).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                           nullptr, widePath(place_).c_str(), &startup, &process_)) {
            processId_ = process_.dwProcessId;
            return true;
        }
        std::fprintf(stderr, "robot: starting %s failed (attempt %d, error %lu)\n",
                     program_.c_str(), attempt, GetLastError());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    return false;
}

bool Robot::running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Robot::holdStill(int ms) const {
    SuspendThread(process_.hThread);
    Sleep(static_cast<DWORD>(ms));
    ResumeThread(process_.hThread);
}

bool Robot::waitForExit(int timeoutMs) {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

Robot::Ending Robot::stop(int timeoutMs) {
    Ending ending{true, 0};
    if (process_.hProcess == nullptr)
        return ending;
    for (HWND window : windows())
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (!waitForExit(timeoutMs)) {
        ending.exited = false;
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }
    GetExitCodeProcess(process_.hProcess, &ending.exitCode);
    return ending;
}

std::vector<HWND> Robot::windows() const {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId_, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Robot::findWindow(const char* title, const char* className) const {
    for (HWND window : windows()) {
        // The caption as the system keeps it: asking the window could wait on a busy program.
        wchar_t caption[256] = L"";
        GetWindowTextW(window, caption, 256);
        if ((className == nullptr || ::className(window) == className) &&
            titleMatches(toShiftJis(caption), title))
            return window;
    }
    return nullptr;
}

HWND Robot::waitForWindow(const char* title, const char* className, int timeoutMs) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(title, className)) != nullptr; }, timeoutMs);
    return found;
}

bool Robot::waitForNoWindow(const char* title, const char* className, int timeoutMs) const {
    return waitUntil([&] { return findWindow(title, className) == nullptr; }, timeoutMs);
}

HWND Robot::messageBox() const {
    for (HWND window : windows()) {
        if (className(window) == "#32770" && GetDlgItem(window, kBoxMessage) != nullptr &&
            GetDlgItem(window, kBoxLeftButton) != nullptr)
            return window;
    }
    return nullptr;
}

std::optional<std::string> Robot::answerMessageBox(int button, int timeoutMs) {
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = messageBox()) != nullptr; }, timeoutMs))
        return std::nullopt;
    std::string message = text(box, kBoxMessage);
    click(box, button);
    waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
    return message;
}

HWND Robot::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

void Robot::click(HWND dialog, int id) {
    // Posted, like the mouse's messages: a click that opens a modal box must not block the test.
    HWND control = GetDlgItem(dialog, id);
    if (lstrcmpiA(className(control).c_str(), "Static") != 0) {
        PostMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    // A static knows no BM_CLICK: press and release the button over its middle.
    RECT area;
    GetClientRect(control, &area);
    LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

// One UTF-16 unit a message, as the keyboard delivers characters to a Unicode window.
void Robot::type(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    for (wchar_t unit : fromShiftJis(text))
        sendTo(edit, WM_CHAR, unit, 1);
}

void Robot::typeWide(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    for (wchar_t unit : text)
        PostMessageW(edit, WM_CHAR, unit, 1);
}

void Robot::setText(HWND dialog, int id, const std::string& text) {
    setTextWide(dialog, id, fromShiftJis(text));
}

void Robot::setTextWide(HWND dialog, int id, const std::wstring& text) {
    sendTo(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Robot::text(HWND window) {
    // WM_GETTEXT rather than GetWindowText, which does not ask controls of other processes.
    auto length = static_cast<size_t>(sendTo(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring result(length + 1, L'\0');
    auto got = static_cast<size_t>(
        sendTo(window, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(&result[0])));
    result.resize(got < length ? got : length);
    return toShiftJis(result.c_str());
}

std::string Robot::text(HWND dialog, int id) {
    return text(GetDlgItem(dialog, id));
}

std::vector<std::string> Robot::listRows(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> rows;
    auto count = sendTo(list, LB_GETCOUNT, 0, 0);
    for (WPARAM row = 0; row < static_cast<WPARAM>(count > 0 ? count : 0); ++row) {
        // LB_GETTEXT takes no buffer size; LB_GETTEXTLEN gives the characters needed.
        auto length = sendTo(list, LB_GETTEXTLEN, row, 0);
        std::wstring wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(&wide[0]), SMTO_NORMAL,
                            kSendTimeoutMs, &got);
        rows.push_back(toShiftJis(wide.c_str()));
    }
    return rows;
}

void Robot::selectRow(HWND dialog, int id, int row) {
    HWND list = GetDlgItem(dialog, id);
    sendTo(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    // LB_SETCURSEL does not notify; a click on the row would.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool Robot::enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

bool Robot::visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != 0;
}

bool Robot::checked(HWND dialog, int id) {
    return sendTo(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Robot::pressKey(HWND window, WORD key) {
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    auto down = static_cast<LPARAM>(1 | (scan << 16));
    auto up = static_cast<LPARAM>(down | 0xC0000000u);
    PostMessageW(window, WM_KEYDOWN, key, down);
    if (key == VK_RETURN || key == VK_ESCAPE) // the keys that also type a character
        PostMessageW(window, WM_CHAR, key == VK_RETURN ? '\r' : 0x1B, down);
    constexpr UINT kHelpKeyMessage = 0x004D; // WM_KEYF1: the system's own, for real key presses
    if (key == VK_F1)
        PostMessageW(window, kHelpKeyMessage, 0, 0);
    PostMessageW(window, WM_KEYUP, key, up);
}

void Robot::pressControlKey(HWND dialog, WORD key) {
    SetForegroundWindow(dialog);
    waitUntil([&] { return GetForegroundWindow() == dialog; }, 1000);
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

std::optional<std::string> Robot::clipboardText() {
    if (!openClipboard())
        throw std::runtime_error("cannot open the clipboard");
    std::optional<std::string> result;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            result = toShiftJis(std::wstring(units, wcsnlen(units, GlobalSize(data) / 2)).c_str());
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

bool Robot::clipboardHasFormat(const char* registeredName) {
    return IsClipboardFormatAvailable(RegisterClipboardFormatA(registeredName)) != 0;
}

void Robot::emptyClipboard() {
    if (!openClipboard())
        throw std::runtime_error("cannot open the clipboard");
    EmptyClipboard();
    CloseClipboard();
}

void Robot::setClipboardText(const std::string& text) {
    if (!openClipboard())
        throw std::runtime_error("cannot open the clipboard");
    EmptyClipboard();
    std::wstring wide = fromShiftJis(text);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t))) {
        std::memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
}

bool Robot::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

std::string Robot::userSid() {
    HANDLE token = nullptr;
    alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    char* text = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
        GetTokenInformation(token, TokenUser, user, sizeof user, &size))
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &text);
    CloseHandle(token);
    std::string sid = text != nullptr ? text : "";
    LocalFree(text);
    return sid;
}

std::string Robot::daclText(PSECURITY_DESCRIPTOR descriptor) {
    char* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                         DACL_SECURITY_INFORMATION, &text, nullptr);
    std::string dacl = text != nullptr ? text : "(cannot be read)";
    LocalFree(text);
    return dacl;
}

bool Robot::setDacl(const std::string& path, const std::string& sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool set = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                                    &descriptor, nullptr) &&
               SetFileSecurityW(widePath(path).c_str(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return set;
}
