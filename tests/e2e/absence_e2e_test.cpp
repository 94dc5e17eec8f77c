// Nobody at the screen: Windows locked, the session disconnected, the computer about to sleep,
// or the program held still past its deadline. Whoever comes next must not find the entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const EntryFields kBank{"Bank", "0012345", "pw1", 0, "", ""};

// Posted from outside, as Windows sends them.
void lockWindows(HWND main) {
    PostMessageW(main, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
}
void suspendComputer(HWND main) {
    PostMessageW(main, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
}

// Where the sixtieth second of the countdown leaves the main window.
bool loggedOutAndHidden(HWND main) {
    return IsIconic(main) && Robot::text(main) == kMainTitle &&
           Robot::listRows(main, kMainList).empty() && Robot::text(main, kLogin) == kLoginText;
}

class Absence : public ::testing::Test {
protected:
    HWND start(int32_t autoLogoutOff) {
        robot.writeDataFile("Setup", setupFileBytes("1234", autoLogoutOff));
        robot.writeDataFile("List", list);
        return robot.startAndLogIn("1234");
    }
    HWND openEditor(HWND main) {
        Robot::click(main, kEdit);
        return robot.logIn("1234") ? robot.waitForWindow(kEditorTitle, "#32770") : nullptr;
    }
    void logInAgain(HWND main) {
        ShowWindow(main, SW_RESTORE);
        Robot::click(main, kLogin);
        ASSERT_TRUE(robot.logIn("1234"));
    }

    KeyvaneRobot robot;
    Bytes list = listFileBytes("1234", {kBank});
};
} // namespace

TEST_F(Absence, LockingOrSleepingClosesEveryDialogAndLogsOut) {
    HWND main = start(0);
    ASSERT_NE(main, nullptr);
    HWND editor = openEditor(main);
    ASSERT_NE(editor, nullptr);
    Robot::setText(editor, kEditorName, "Typed"); // and never registered
    lockWindows(main);
    EXPECT_TRUE(robot.waitForNoWindow(kEditorTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(main); }));

    // Asleep while the editor asks whether to delete: closed as its close box would, so nothing
    // is deleted.
    logInAgain(main);
    editor = openEditor(main);
    ASSERT_NE(editor, nullptr);
    Robot::selectRow(editor, kEditorList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(editor, kEditorDelete); }));
    Robot::click(editor, kEditorDelete);
    ASSERT_TRUE(Robot::waitUntil([&] { return robot.messageBox() != nullptr; }));
    suspendComputer(main);
    EXPECT_TRUE(Robot::waitUntil(
        [&] { return robot.messageBox() == nullptr && !robot.findWindow(kEditorTitle); }));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(main); }));
    EXPECT_EQ(robot.readDataFile("List"), list);

    // The PIN prompt of the Login button is cancelled.
    ShowWindow(main, SW_RESTORE);
    Robot::click(main, kLogin);
    ASSERT_NE(robot.waitForWindow(kPromptTitle), nullptr);
    lockWindows(main);
    EXPECT_TRUE(robot.waitForNoWindow(kPromptTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(main); }));
}

TEST_F(Absence, WithAutomaticLogoutOffLockingAndSleepingChangeNothing) {
    HWND main = start(1);
    ASSERT_NE(main, nullptr);
    HWND editor = openEditor(main);
    ASSERT_NE(editor, nullptr);
    lockWindows(main);
    suspendComputer(main);
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(editor));
    Robot::click(editor, kEditorClose);
    ASSERT_TRUE(robot.waitForNoWindow(kEditorTitle));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(Robot::listRows(main, kMainList), std::vector<std::string>{"Bank"});
}

// Timer ticks are not delivered to a thread that is held still: the time still counts.
TEST_F(Absence, ACountdownHeldStillPastItsDeadlineLogsOutAsSoonAsItRunsAgain) {
    HWND main = start(0);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで59秒"; }));
    robot.holdStill(61000);
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(main); }, 2500));
}
