// Keyvane from the outside: start-up, the single instance, the PIN prompt, login and the
// automatic logout, copying, the Web button and the keys that must not close anything; what
// other accounts and programs may open.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <ctime>
#include <string>

#include "app/private_folder_win.h"
#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const std::vector<EntryFields> kEntries = {
    {"Bank", "0012345", "\x88\xC3\x8F\xD8pw", 0, "", ""}, // 暗証pw: 6 bytes
    {"Mail", "taro@example.jp", "s3cret!", 0, "kvtest://mail.example.jp/inbox", ""},
    {"Shop", "taro", "", 0, "", ""},
};

// A PIN of 1234 and the three entries, as the editor would have left them.
void prepareLoggedInData(KeyvaneRobot& robot, int32_t autoLogoutOff = 0) {
    robot.writeDataFile("Setup", setupFileBytes("1234", autoLogoutOff));
    robot.writeDataFile("List", listFileBytes("1234", kEntries));
}

// Answers a folder's DACL as given and records the one set on it.
struct FolderRecorder : FolderSecurity {
    std::string found, set;
    FolderSecurity* previous = setFolderSecurity(this);
    ~FolderRecorder() override { setFolderSecurity(previous); }
    DWORD read(HANDLE, PSECURITY_DESCRIPTOR& descriptor) override {
        return !ConvertStringSecurityDescriptorToSecurityDescriptorA(found.c_str(), SDDL_REVISION_1,
                                                                     &descriptor, nullptr);
    }
    DWORD write(HANDLE, PSECURITY_DESCRIPTOR descriptor) override {
        set = Robot::daclText(descriptor);
        return ERROR_SUCCESS;
    }
};
} // namespace

TEST(StartUp, FirstRunAsksNothingAndListsAnUnprotectedList) {
    KeyvaneRobot robot;
    robot.writeDataFile("List", listFileBytes("", kEntries));
    HWND main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::text(main), kMainTitle);
    EXPECT_EQ(robot.findWindow(kPromptTitle), nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), (std::vector<std::string>{"Bank", "Mail", "Shop"}));
    EXPECT_EQ(Robot::text(main, kLogin), kLogoutText);
    EXPECT_FALSE(Robot::enabled(main, kLogin));
    EXPECT_FALSE(Robot::enabled(main, kWeb));
    Sleep(1300);
    EXPECT_EQ(Robot::text(main), kMainTitle) << "no countdown without a PIN";
    EXPECT_EQ(robot.stop().exited, true);
    EXPECT_FALSE(robot.dataFileExists("Setup")) << "nothing written at exit";
}

TEST(StartUp, TheDataDirectoryIsCreatedOnFirstStart) {
    KeyvaneRobot robot;
    ASSERT_NE(robot.startToMainWindow(), nullptr);
    EXPECT_TRUE(isDirectory(robot.folder() + "\\Data"));
    EXPECT_TRUE(listDir(robot.folder() + "\\Data").empty());
}

// Wine rebuilds a folder's DACL from its Unix mode at every open, merging in the parent's
// inheritable entries (not through SetFileSecurityW), and keeps no protected flag: read back,
// Data's DACL shows who may open it, and the exact entries are checked at the seam.
TEST(StartUp, DataNewOrFoundOpenToOthersIsClosedToThemAndItsFilesKeepTheirBytes) {
    const std::string user = Robot::userSid(), mine = "(A;OICI;FA;;;" + user + ")";
    const Bytes list = listFileBytes("", kEntries), setup = setupFileBytes("", 0);
    for (bool found : {false, true}) {
        KeyvaneRobot robot; // in a folder that is its user's, with all made in it everyone's
        ASSERT_TRUE(Robot::setDacl(robot.folder(), "D:(A;;FA;;;" + user + ")(A;OICIIO;FA;;;WD)"));
        if (found) {
            robot.writeDataFile("List", list);
            robot.writeDataFile("Setup", setup);
            ASSERT_TRUE(Robot::setDacl(robot.folder() + "\\Data", "D:(A;OICI;FA;;;WD)"));
        }
        ASSERT_NE(robot.startToMainWindow(), nullptr);
        PSECURITY_DESCRIPTOR data = nullptr;
        GetNamedSecurityInfoW(widePath(robot.folder() + "\\Data").c_str(), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr, &data);
        EXPECT_EQ(Robot::daclText(data).find(";WD)"), std::string::npos) << Robot::daclText(data);
        LocalFree(data);
        EXPECT_TRUE(!found ||
                    (robot.readDataFile("List") == list && robot.readDataFile("Setup") == setup));
    }
    // Data's DACL as found, and the one set on it. Inherited entries, even from a private
    // parent, let in whatever the parent lets in later.
    const std::string closed = "D:P" + mine + "(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    const std::pair<std::string, std::string> cases[] = {
        {"D:AI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIID;FA;;;" + user + ")", closed},
        {"D:NO_ACCESS_CONTROL", closed},               // everyone
        {"D:P" + mine + "(A;OICIIO;GR;;;BU)", closed}, // Users read what is made in it
        {closed, ""},
        {"D:P" + mine, ""}, // closed further by its user
    };
    TempDir data;
    for (const auto& [found, set] : cases) {
        FolderRecorder recorder;
        recorder.found = found;
        keepFolderPrivate(widePath(data.path()).c_str());
        EXPECT_EQ(recorder.set, set) << found;
    }
}

// Wine drops a process DACL's protected flag and lets the owner change it whatever OWNER RIGHTS
// says: the entries are read through the handle that starting the program gave.
TEST(StartUp, OtherProgramsMayOnlyAskAfterTheProcessWaitForItOrEndIt) {
    KeyvaneRobot robot;
    ASSERT_NE(robot.startToMainWindow(), nullptr);
    EXPECT_EQ(OpenProcess(PROCESS_VM_READ, FALSE, robot.processId()), nullptr);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_TRUE(
        CloseHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE,
                                FALSE, robot.processId())));
    PSECURITY_DESCRIPTOR process = nullptr;
    GetSecurityInfo(robot.processHandle(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                    nullptr, nullptr, nullptr, &process);
    std::string dacl = Robot::daclText(process);
    LocalFree(process);
    EXPECT_EQ(dacl.substr(dacl.find('(')),
              "(A;;0x101001;;;" + Robot::userSid() + ")(A;;0x101001;;;OW)");
}

TEST(StartUp, ASecondInstanceEndsAtOnceAndTouchesNothing) {
    KeyvaneRobot first;
    HWND main = first.startToMainWindow();
    ASSERT_NE(main, nullptr);

    KeyvaneRobot second;
    DWORD started = GetTickCount();
    ASSERT_TRUE(second.start());
    EXPECT_TRUE(second.waitForExit(3000));
    EXPECT_LT(GetTickCount() - started, 3000u);
    EXPECT_FALSE(isDirectory(second.folder() + "\\Data")) << "no data directory, no file read";
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(main));

    // Once the first has ended, normally or killed, a new start runs.
    EXPECT_TRUE(first.stop().exited);
    ASSERT_NE(second.startToMainWindow(), nullptr);
    TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, second.processId()), 9);
    ASSERT_TRUE(second.waitForExit());
    KeyvaneRobot third;
    EXPECT_NE(third.startToMainWindow(), nullptr);
}

TEST(PinPrompt, AWrongPinIsWipedAndTheRightOneLogsIn) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    ASSERT_TRUE(robot.start());
    HWND prompt = robot.waitForWindow(kPromptTitle, "#32770");
    ASSERT_NE(prompt, nullptr);

    DWORD typed = GetTickCount();
    Robot::type(prompt, kPinField, "9999");
    EXPECT_EQ(Robot::text(prompt, kPinField), "") << "wiped before the last key returns";
    EXPECT_GE(GetTickCount() - typed, 450u) << "about half a second per attempt";
    EXPECT_NE(robot.findWindow(kPromptTitle), nullptr);

    Robot::pressKey(prompt, VK_RETURN);
    Robot::pressKey(prompt, VK_ESCAPE);
    Sleep(200);
    EXPECT_NE(robot.findWindow(kPromptTitle), nullptr) << "Return and Escape do nothing";

    Robot::type(prompt, kPinField, "1234");
    ASSERT_TRUE(robot.waitForNoWindow(kPromptTitle));
    HWND main = robot.waitForWindow("Keyvane*", "#32770");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList).size(), 3u);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで59秒"; }, 2500));
    EXPECT_TRUE(
        Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで58秒"; }, 2500));
    EXPECT_EQ(Robot::text(main, kLogin), kLogoutText);
    EXPECT_TRUE(Robot::enabled(main, kLogin));
}

TEST(PinPrompt, CancelAtStartEndsTheProgram) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    ASSERT_TRUE(robot.start());
    HWND prompt = robot.waitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    Robot::click(prompt, kPinCancel);
    EXPECT_TRUE(robot.waitForExit());
}

TEST(PinPrompt, CancelFromTheLoginButtonKeepsTheEntriesHidden) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::click(main, kLogin); // log out
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kLogin) == kLoginText; }));
    EXPECT_TRUE(Robot::listRows(main, kMainList).empty());
    EXPECT_EQ(Robot::text(main), kMainTitle);

    Robot::click(main, kLogin); // log in again, then cancel
    HWND prompt = robot.waitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    Robot::click(prompt, kPinCancel);
    ASSERT_TRUE(robot.waitForNoWindow(kPromptTitle));
    EXPECT_TRUE(robot.running());
    EXPECT_TRUE(Robot::listRows(main, kMainList).empty());
    EXPECT_EQ(Robot::text(main, kLogin), kLoginText);
}

TEST(PinPrompt, ClosingThePromptOfTheEditButtonIsACancelThatLogsOut) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::click(main, kEdit);
    HWND prompt = robot.waitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    PostMessageA(prompt, WM_SYSCOMMAND, SC_CLOSE, 0); // what Alt+F4 sends
    ASSERT_TRUE(robot.waitForNoWindow(kPromptTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kLogin) == kLoginText; }));
    EXPECT_TRUE(Robot::listRows(main, kMainList).empty());
    EXPECT_EQ(Robot::text(main), kMainTitle) << "no countdown";
    EXPECT_EQ(robot.findWindow(kEditorTitle), nullptr);
}

TEST(Logout, TheSixtiethTickHidesMinimisesAndTheNextLoginReloads) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(Robot::listRows(main, kMainList).size(), 3u);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで1秒"; }, 62000));
    ASSERT_TRUE(Robot::waitUntil([&] { return IsIconic(main) != 0; }, 2500));
    EXPECT_EQ(Robot::text(main), kMainTitle);
    EXPECT_TRUE(Robot::listRows(main, kMainList).empty());
    EXPECT_EQ(Robot::text(main, kLogin), kLoginText);

    // The next login reads the List file again.
    robot.writeDataFile("List", listFileBytes("1234", {kEntries[2]}));
    ShowWindow(main, SW_RESTORE);
    Robot::click(main, kLogin);
    ASSERT_TRUE(robot.logIn("1234"));
    EXPECT_TRUE(Robot::waitUntil(
        [&] { return Robot::listRows(main, kMainList) == std::vector<std::string>{"Shop"}; }));
}

TEST(Logout, SwitchedOffThereIsNoCountdown) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Sleep(1500);
    EXPECT_EQ(Robot::text(main), kMainTitle);
    EXPECT_EQ(Robot::listRows(main, kMainList).size(), 3u);
}

namespace {
// Holds the clipboard open from the test, as a clipboard manager might.
class ClipboardHolder {
public:
    ClipboardHolder()
        : window_(CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)) {
        held_ = OpenClipboard(window_) != 0;
    }
    ~ClipboardHolder() {
        release();
        DestroyWindow(window_);
    }
    void release() {
        if (held_)
            CloseClipboard();
        held_ = false;
    }
    bool held() const { return held_; }

private:
    HWND window_;
    bool held_ = false;
};
} // namespace

TEST(Copy, TheIdOrPasswordGoesToTheClipboardAndTheEntryIsStamped) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);

    Robot::selectRow(main, kMainList, 0); // Bank
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "0012345"; }));
    EXPECT_EQ(Robot::text(main, kPasswordField), "******") << "one asterisk a byte";
    EXPECT_FALSE(Robot::enabled(main, kWeb)) << "no web address";

    Robot::emptyClipboard();
    auto before = static_cast<int32_t>(std::time(nullptr));
    Robot::click(main, kPasswordField);
    ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "\x88\xC3\x8F\xD8pw"; }));
    EXPECT_TRUE(Robot::clipboardHasFormat("ExcludeClipboardContentFromMonitorProcessing"));
    EXPECT_TRUE(Robot::clipboardHasFormat("CanIncludeInClipboardHistory"));
    EXPECT_TRUE(Robot::clipboardHasFormat("CanUploadToCloudClipboard"));
    Bytes list;
    EXPECT_TRUE(Robot::waitUntil([&] {
        list = robot.readDataFile("List");
        return lastUsedOf(list, 0) != 0;
    }));
    EXPECT_GE(lastUsedOf(list, 0), before);
    EXPECT_LE(lastUsedOf(list, 0), static_cast<int32_t>(std::time(nullptr)));
    EXPECT_EQ(lastUsedOf(list, 1), 0);

    Robot::click(main, kIdField);
    EXPECT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "0012345"; }));

    // An empty password: the time is stored, the clipboard keeps what it had.
    Robot::selectRow(main, kMainList, 2); // Shop
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "taro"; }));
    EXPECT_EQ(Robot::text(main, kPasswordField), "");
    Robot::click(main, kPasswordField);
    EXPECT_TRUE(Robot::waitUntil([&] { return lastUsedOf(robot.readDataFile("List"), 2) != 0; }));
    EXPECT_EQ(Robot::clipboardText(), "0012345");
}

TEST(Copy, AMessageFreezesTheCountdownWhichThenGoesOnFromTheSameSecond) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(
        Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで57秒"; }, 5000));
    Robot::selectRow(main, kMainList, 1);
    ClipboardHolder holder;
    ASSERT_TRUE(holder.held());
    Robot::click(main, kIdField);
    HWND box = nullptr;
    ASSERT_TRUE(Robot::waitUntil([&] { return (box = robot.messageBox()) != nullptr; }));
    std::string frozen = Robot::text(main);
    Sleep(2200);
    EXPECT_EQ(Robot::text(main), frozen) << "no tick while the box is up";
    holder.release();
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), "クリップボードが開けません。");
    // The count resumes from where it stood: the next title is one second less.
    int shown = std::stoi(frozen.substr(std::string("Keyvane - ﾛｸﾞｱｳﾄまで").size()));
    std::string next = "Keyvane - ﾛｸﾞｱｳﾄまで" + std::to_string(shown - 1) + "秒";
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::text(main) == next; }, 2500));
}

TEST(Web, OpensTheSelectedEntrysAddressWithItsRegisteredProgram) {
    OpenRecorder recorder({"kvtest"});
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::selectRow(main, kMainList, 1); // Mail
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(main, kWeb); }));
    Robot::click(main, kWeb);
    ASSERT_TRUE(recorder.waitForOpen());
    EXPECT_NE(recorder.opened().find("kvtest://mail.example.jp/inbox"), std::string::npos);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(robot.messageBox(), nullptr);
}

TEST(Keys, ReturnAndEscapeDoNotCloseTheMainWindow) {
    KeyvaneRobot robot;
    HWND main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    Robot::pressKey(main, VK_RETURN);
    Robot::pressKey(robot.focus(), VK_ESCAPE);
    Robot::pressKey(robot.focus(), VK_RETURN);
    Sleep(300);
    EXPECT_TRUE(robot.running());
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST(Keys, CtrlBCAndUDoWhatTheClicksDoAndNothingWhereTheyWouldNot) {
    OpenRecorder recorder({"kvtest"});
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::setClipboardText("mine");
    Robot::pressControlKey(main, 'C'); // nothing selected
    Sleep(300);
    EXPECT_EQ(Robot::clipboardText(), "mine");

    Robot::selectRow(main, kMainList, 1); // Mail, with a web address
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(main, kWeb); }));
    Robot::pressControlKey(main, 'B');
    EXPECT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "taro@example.jp"; }));
    Robot::pressControlKey(main, 'C');
    EXPECT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "s3cret!"; }));
    EXPECT_TRUE(Robot::waitUntil([&] { return lastUsedOf(robot.readDataFile("List"), 1) != 0; }))
        << "stamped and saved as by a click";
    Robot::pressControlKey(main, 'U');
    ASSERT_TRUE(recorder.waitForOpen());
    EXPECT_NE(recorder.opened().find("kvtest://mail.example.jp/inbox"), std::string::npos);

    Robot::selectRow(main, kMainList, 0); // Bank: no web address, Web disabled
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "0012345"; }));
    std::string opened = recorder.opened();
    Robot::pressControlKey(main, 'U');
    Robot::click(main, kLogin); // logged out: nothing to copy
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kLogin) == kLoginText; }));
    Robot::setClipboardText("mine");
    Robot::pressControlKey(main, 'C');
    Sleep(500);
    EXPECT_EQ(recorder.opened(), opened);
    EXPECT_EQ(robot.messageBox(), nullptr);
    EXPECT_EQ(Robot::clipboardText(), "mine");
}

// The copy leaves the clipboard 30 seconds later unless the user copied something else
// meanwhile; at once when hidden again; and when Keyvane exits, on the same terms.
TEST(Copy, ACopiedSecretLeavesTheClipboardUnlessSomethingElseReplacedIt) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::selectRow(main, kMainList, 1);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "taro@example.jp"; }));
    Robot::click(main, kPasswordField);
    ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "s3cret!"; }));
    Robot::setClipboardText("mine");
    Sleep(31000);
    EXPECT_EQ(Robot::clipboardText(), "mine") << "the user's own copy is left alone";

    Robot::click(main, kPasswordField);
    ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "s3cret!"; }));
    DWORD copied = GetTickCount();
    EXPECT_TRUE(Robot::waitUntil([] { return !Robot::clipboardText().has_value(); }, 33000));
    EXPECT_GE(GetTickCount() - copied, 29000u);

    // Hidden again: at the session's end (no exit of ours follows it), then at the logout.
    for (bool sessionEnds : {true, false}) {
        Robot::click(main, kPasswordField);
        ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "s3cret!"; }));
        if (sessionEnds)
            PostMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
        else
            Robot::click(main, kLogin);
        EXPECT_TRUE(Robot::waitUntil([] { return !Robot::clipboardText().has_value(); }, 2000));
    }

    Robot::click(main, kLogin);
    ASSERT_TRUE(robot.logIn("1234"));
    Robot::selectRow(main, kMainList, 0); // Mail, used: first now
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "taro@example.jp"; }));
    Robot::click(main, kIdField);
    ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "taro@example.jp"; }));
    EXPECT_TRUE(robot.stop().exited);
    EXPECT_FALSE(Robot::clipboardText().has_value()) << "emptied at exit";
}

TEST(Copy, AtExitTheUsersOwnCopyStays) {
    KeyvaneRobot robot;
    prepareLoggedInData(robot, 1);
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    Robot::selectRow(main, kMainList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "0012345"; }));
    Robot::click(main, kIdField);
    ASSERT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "0012345"; }));
    Robot::setClipboardText("mine");
    Robot::click(main, kExit);
    EXPECT_TRUE(robot.waitForExit());
    EXPECT_EQ(Robot::clipboardText(), "mine");
}

// --- Nobody at the screen (Windows locked or asleep, the program held still): whoever comes
// next must not find the entries ---

namespace {
class Absence : public ::testing::Test {
protected:
    void start(int32_t autoLogoutOff = 0) {
        prepareLoggedInData(robot, autoLogoutOff);
        ASSERT_NE(main = robot.startAndLogIn("1234"), nullptr);
    }
    void openEditor() {
        Robot::click(main, kEdit);
        ASSERT_TRUE(robot.logIn("1234"));
        ASSERT_NE(editor = robot.waitForWindow(kEditorTitle, "#32770"), nullptr);
    }
    // Wine sends neither: they are sent as Windows sends them, and return when handled.
    void lockWindows() const { SendMessageW(main, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1); }
    void suspend() const { SendMessageW(main, WM_POWERBROADCAST, PBT_APMSUSPEND, 0); }
    // Where the sixtieth second of the countdown leaves the main window.
    bool loggedOutAndHidden() const {
        return IsIconic(main) && Robot::text(main) == kMainTitle &&
               Robot::listRows(main, kMainList).empty() && Robot::text(main, kLogin) == kLoginText;
    }

    KeyvaneRobot robot;
    HWND main = nullptr, editor = nullptr;
};
} // namespace

TEST_F(Absence, LockingOrSleepingClosesEveryDialogAndLogsOutUnlessAutomaticLogoutIsOff) {
    start(1);
    openEditor();
    lockWindows();
    suspend();
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(editor)) << "automatic logout off: nothing changes";
    Robot::click(editor, kEditorAutoOn);
    Robot::setText(editor, kEditorName, "Typed"); // and never registered
    lockWindows();
    EXPECT_FALSE(IsWindowVisible(editor)) << "ended before the handler returned";
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));

    // Asleep while the editor asks whether to delete: closed as by its close box, so nothing is.
    ShowWindow(main, SW_RESTORE);
    Robot::click(main, kLogin);
    ASSERT_TRUE(robot.logIn("1234"));
    openEditor();
    Robot::selectRow(editor, kEditorList, 0);
    Robot::click(editor, kEditorDelete);
    HWND box = nullptr;
    ASSERT_TRUE(Robot::waitUntil([&] { return (box = robot.messageBox()) != nullptr; }));
    suspend();
    EXPECT_FALSE(IsWindowVisible(box) || IsWindowVisible(editor));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));
    EXPECT_EQ(robot.messageBox(), nullptr);
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("1234", kEntries));

    // The PIN prompt of the Login button is cancelled.
    ShowWindow(main, SW_RESTORE);
    Robot::click(main, kLogin);
    ASSERT_NE(robot.waitForWindow(kPromptTitle), nullptr);
    lockWindows();
    EXPECT_TRUE(robot.waitForNoWindow(kPromptTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));
}

// The copy's save fails while the List is held; Windows locks while its message is up.
TEST_F(Absence, ACopyWhoseSaveFailedCopiesNothingOnceTheUserIsLoggedOut) {
    start();
    Robot::setClipboardText("before");
    Robot::selectRow(main, kMainList, 1);
    HANDLE held = CreateFileA(robot.dataPath("List").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Robot::click(main, kPasswordField);
    ASSERT_TRUE(Robot::waitUntil([&] { return robot.messageBox() != nullptr; }, 10000));
    lockWindows();
    CloseHandle(held);
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));
    Sleep(500);
    EXPECT_EQ(Robot::clipboardText(), "before");
}

// Timer ticks are not delivered to a thread that is held still: the time still counts.
TEST_F(Absence, ACountdownHeldStillPastItsDeadlineLogsOutAsSoonAsItRunsAgain) {
    start();
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで59秒"; }));
    robot.holdStill(61000);
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }, 2500));
}
