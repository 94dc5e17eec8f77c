// Nobody at the screen: Windows locked, the session disconnected, the computer about to sleep,
// or the program held still past its deadline. Whoever comes next must not find the entries.
#include <gtest/gtest.h>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
class Absence : public ::testing::Test {
protected:
    // Logged in with PIN 1234 and one entry.
    void start(int32_t autoLogoutOff = 0) {
        robot.writeDataFile("Setup", setupFileBytes("1234", autoLogoutOff));
        robot.writeDataFile("List", list);
        ASSERT_NE(main = robot.startAndLogIn("1234"), nullptr);
    }
    void openEditor() {
        Robot::click(main, kEdit);
        ASSERT_TRUE(robot.logIn("1234"));
        ASSERT_NE(editor = robot.waitForWindow(kEditorTitle, "#32770"), nullptr);
    }
    // Wine sends neither: they are posted as Windows sends them.
    void lockWindows() const { PostMessageW(main, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1); }
    void suspend() const { PostMessageW(main, WM_POWERBROADCAST, PBT_APMSUSPEND, 0); }
    // Where the sixtieth second of the countdown leaves the main window.
    bool loggedOutAndHidden() const {
        return IsIconic(main) && Robot::text(main) == kMainTitle &&
               Robot::listRows(main, kMainList).empty() && Robot::text(main, kLogin) == kLoginText;
    }
    void logInAgain() {
        ShowWindow(main, SW_RESTORE);
        Robot::click(main, kLogin);
        ASSERT_TRUE(robot.logIn("1234"));
    }

    KeyvaneRobot robot;
    Bytes list = listFileBytes("1234", {{"Bank", "0012345", "pw1", 0, "", ""}});
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
    EXPECT_TRUE(robot.waitForNoWindow(kEditorTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));

    // Asleep while the editor asks whether to delete: closed as by its close box, so nothing is.
    logInAgain();
    openEditor();
    Robot::selectRow(editor, kEditorList, 0);
    Robot::click(editor, kEditorDelete);
    ASSERT_TRUE(Robot::waitUntil([&] { return robot.messageBox() != nullptr; }));
    suspend();
    EXPECT_TRUE(robot.waitForNoWindow(kEditorTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));
    EXPECT_EQ(robot.messageBox(), nullptr);
    EXPECT_EQ(robot.readDataFile("List"), list);

    // The PIN prompt of the Login button is cancelled.
    ShowWindow(main, SW_RESTORE);
    Robot::click(main, kLogin);
    ASSERT_NE(robot.waitForWindow(kPromptTitle), nullptr);
    lockWindows();
    EXPECT_TRUE(robot.waitForNoWindow(kPromptTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }));
}

// Timer ticks are not delivered to a thread that is held still: the time still counts.
TEST_F(Absence, ACountdownHeldStillPastItsDeadlineLogsOutAsSoonAsItRunsAgain) {
    start();
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main) == "Keyvane - ﾛｸﾞｱｳﾄまで59秒"; }));
    robot.holdStill(61000);
    EXPECT_TRUE(Robot::waitUntil([&] { return loggedOutAndHidden(); }, 2500));
}
