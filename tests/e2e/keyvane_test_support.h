// Starting Keyvane for end-to-end tests, and the texts it shows.
#pragma once

#include <string>
#include <vector>

#include "tests/support/data_file_bytes.h"
#include "tests/e2e/robot.h"

// Control ids and texts as a user meets them.
namespace kv {
constexpr int kMainList = 1000, kExit = 1005, kEdit = 1006, kLogin = 1007, kWeb = 1008,
              kIdField = 1021, kPasswordField = 1022;
constexpr int kPinField = 1015, kPinCancel = 1022;
constexpr int kEditorList = 1007, kEditorId = 1008, kEditorPassword = 1009, kEditorPin = 1012,
              kEditorRegister = 1014, kEditorClose = 1015, kEditorName = 1016,
              kEditorChangePin = 1018, kEditorDelete = 1019, kEditorClear = 1021, kEditorUrl = 1022,
              kEditorAutoOn = 1033, kEditorAutoOff = 1034;

extern const char kMainTitle[];   // "Keyvane"
extern const char kPromptTitle[]; // "Keyvane - ﾛｸﾞｲﾝ"
extern const char kEditorTitle[]; // "Keyvane - 編集"
extern const char kLoginText[];   // "ﾛｸﾞｲﾝ"
extern const char kLogoutText[];  // "ﾛｸﾞｱｳﾄ"
} // namespace kv

// The lastUsed of a List file's record (0 = never used).
int32_t lastUsedOf(const Bytes& list, size_t record);

// The path of a file built beside the test program.
std::string besideTestProgram(const char* name);

// A robot for Keyvane.exe with Chimebox.dll, in a fresh program folder.
class KeyvaneRobot : public Robot {
public:
    // In a fresh program folder, or in a folder of that (UTF-8) name inside it.
    explicit KeyvaneRobot(const std::string& folderName = "");
    // Starts Keyvane and returns its main window (nullptr when none appeared).
    HWND startToMainWindow();
    // Starts Keyvane, answers the PIN prompt and returns the main window.
    HWND startAndLogIn(const std::string& pin);
    // Types pin into the open PIN prompt and waits for the prompt to go.
    bool logIn(const std::string& pin);
};

// Stands url_recorder.exe in for the programs the shell opens things with, for the given URL
// schemes ("mailto", "https") and file types (".html"), and reads what it was asked to open.
class OpenRecorder {
public:
    explicit OpenRecorder(const std::vector<std::string>& kinds);
    // Everything opened since construction, one line each.
    std::string opened() const;
    bool waitForOpen(int timeoutMs = 10000) const;

private:
    std::string log_;
};
