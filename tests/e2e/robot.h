// A small UI robot for end-to-end tests: it runs a Windows program from a fresh temporary program
// folder and works its windows from outside, as a user would, through window messages.
//
// Texts are Shift-JIS byte strings, exchanged with the program in UTF-16 and converted with code
// page 932, whatever the system's code page; paths are UTF-8. Actions that a user
// would do with the mouse are posted, so the call returns at once, also when the click opens a
// modal box; check their effects with waitUntil or the waitFor... functions.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

// The buttons of the message box (dialog template 2000 of the message-box library) and its text.
enum : int {
    kBoxLeftButton = 2000,
    kBoxMessage = 2001,
    kBoxMiddleButton = 2002,
    kBoxRightButton = 2003,
    // Where the two box types that Keyvane shows put their buttons.
    kBoxOk = kBoxMiddleButton,
    kBoxYes = kBoxLeftButton,
    kBoxNo = kBoxRightButton,
};

constexpr int kRobotWaitMs = 5000;

class Robot {
public:
    // Makes a fresh temporary program folder holding a copy of program and of each companion
    // file named there (found beside program, e.g. "Chimebox.dll"). Nothing runs yet. With a
    // subfolder (UTF-8, levels joined by "\\"), the program goes into that folder inside the
    // temporary one.
    explicit Robot(const std::string& program, const std::vector<std::string>& companions = {},
                   const std::string& subfolder = "");
    // Ends the program if it still runs (WM_CLOSE, then TerminateProcess) and removes the folder.
    ~Robot();
    Robot(const Robot&) = delete;
    Robot& operator=(const Robot&) = delete;

    // --- the program folder and its Data files ---
    const std::string& folder() const { return place_; }
    std::string dataPath(const std::string& name) const; // folder\Data\name
    // Creates the Data folder when needed.
    void writeDataFile(const std::string& name, const Bytes& bytes);
    Bytes readDataFile(const std::string& name) const; // throws when missing
    bool dataFileExists(const std::string& name) const;

    // --- the process ---
    bool start(const std::string& arguments = "");
    DWORD processId() const { return processId_; }
    // The handle starting it gave, with every right: the program's own DACL shuts out others.
    HANDLE processHandle() const { return process_.hProcess; }
    bool running() const;
    // Holds the program's main thread still for ms milliseconds, as a busy disk or a sleeping
    // computer would.
    void holdStill(int ms) const;
    bool waitForExit(int timeoutMs = kRobotWaitMs);
    struct Ending {
        bool exited;    // it ended by itself, before the timeout
        DWORD exitCode; // as reported by the system, also after TerminateProcess
    };
    // Posts WM_CLOSE to each of its visible top-level windows and waits; terminates it when it
    // is still running after timeoutMs.
    Ending stop(int timeoutMs = kRobotWaitMs);

    // --- its windows: visible top-level windows of this process only ---
    // title nullptr matches any title; a title ending in '*' matches by the text before it.
    // className nullptr matches any class; dialogs are "#32770".
    HWND findWindow(const char* title, const char* className = nullptr) const;
    HWND waitForWindow(const char* title, const char* className = nullptr,
                       int timeoutMs = kRobotWaitMs) const;
    bool waitForNoWindow(const char* title, const char* className = nullptr,
                         int timeoutMs = kRobotWaitMs) const;
    // The open message box (a dialog holding the message static 2001), or nullptr.
    HWND messageBox() const;
    // Waits for a message box, clicks the given button, waits for the box to close and returns
    // the message; nothing when no box appeared.
    std::optional<std::string> answerMessageBox(int button, int timeoutMs = kRobotWaitMs);
    // The window that has the keyboard focus in the program, or nullptr.
    HWND focus() const;

    // --- controls; these work on any window ---
    static void click(HWND dialog, int id);
    // Types text into an edit one byte at a time (WM_CHAR), so the edit reports every change as
    // under the keyboard; each keystroke is complete when the call returns.
    static void type(HWND dialog, int id, const std::string& text);
    static void setText(HWND dialog, int id, const std::string& text); // one WM_SETTEXT
    // UTF-16 text, for characters that Shift-JIS cannot hold; typeWide posts its keystrokes, so
    // it returns at once, also when one of them opens a box.
    static void typeWide(HWND dialog, int id, const std::wstring& text);
    static void setTextWide(HWND dialog, int id, const std::wstring& text);
    static std::string text(HWND window);
    static std::string text(HWND dialog, int id);
    static std::vector<std::string> listRows(HWND dialog, int id);
    // Selects a row and tells the dialog, as a click on the row does.
    static void selectRow(HWND dialog, int id, int row);
    static bool enabled(HWND dialog, int id);
    static bool visible(HWND dialog, int id);
    static bool checked(HWND dialog, int id);
    // Posts the key's press, character and release (VK_RETURN, VK_ESCAPE) to window, where the
    // keyboard would deliver them: through the program's message loop and key filters.
    static void pressKey(HWND window, WORD key);
    // Ctrl+key typed on the keyboard, to the window that has the focus in the program of
    // dialog, after bringing dialog to the front. Key combinations are read from the keyboard's
    // own state, which posted messages do not change, so these go in as real input.
    static void pressControlKey(HWND dialog, WORD key);

    // --- the clipboard ---
    // Plain text on the clipboard (read as UTF-16); nothing when there is none.
    static std::optional<std::string> clipboardText();
    static bool clipboardHasFormat(const char* registeredName);
    static void emptyClipboard();
    // Puts plain text on the clipboard, as the user copying something elsewhere would.
    static void setClipboardText(const std::string& text);

    // Polls condition every few milliseconds until it holds or the time is up.
    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kRobotWaitMs);

    // --- who may open what, as SDDL texts ---
    // The SID of the user this process runs as.
    static std::string userSid();
    // A descriptor's DACL; "(cannot be read)" without one.
    static std::string daclText(PSECURITY_DESCRIPTOR descriptor);
    // Sets a file's or folder's DACL exactly as given: SetFileSecurityW merges in no parent's
    // entries, under wine either.
    static bool setDacl(const std::string& path, const std::string& sddl);

private:
    std::vector<HWND> windows() const;

    TempDir folder_;
    std::string place_; // the program's folder: folder_ or a folder inside it
    std::string program_;
    PROCESS_INFORMATION process_{};
    DWORD processId_ = 0;
};
