// The robot's own test, against robot_target.exe: a dialog program whose status line tells what
// it saw of the robot's actions.
#include <gtest/gtest.h>

#include "tests/e2e/robot.h"
#include "tests/e2e/robot_target.h"

namespace {
const char kTitle[] = "Robot target";

std::string besideMe(const char* name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

// The target in a fresh folder, started, with its window found.
class RobotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(robot.start());
        main = robot.waitForWindow(kTitle, "#32770");
        ASSERT_NE(main, nullptr);
    }
    bool statusBecomes(const std::string& status) {
        return Robot::waitUntil([&] { return Robot::text(main, IDC_STATUS) == status; });
    }

    Robot robot{besideMe("robot_target.exe"), {"robot_companion.dll"}};
    HWND main = nullptr;
};
} // namespace

TEST(Robot, RunsTheProgramFromAFreshFolderWithItsDataAndFindsOnlyItsWindows) {
    Robot robot(besideMe("robot_target.exe"), {"robot_companion.dll"});
    EXPECT_EQ(listDir(robot.folder()),
              (std::vector<std::string>{"robot_companion.dll", "robot_target.exe"}));
    robot.writeDataFile("Seed", Bytes{0x83, 0x56, 0x81, 0x5B, 0x83, 0x68}); // シード
    ASSERT_TRUE(robot.start());

    HWND main = robot.waitForWindow(kTitle, "#32770");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::text(main), kTitle);
    EXPECT_EQ(Robot::listRows(main, IDC_LIST),
              (std::vector<std::string>{"alpha", "ベータ", "シード"}));
    EXPECT_EQ(robot.findWindow("Robot*"), main);
    EXPECT_EQ(robot.findWindow(kTitle, "Edit"), nullptr);
    EXPECT_EQ(robot.findWindow("Robot"), nullptr);

    // A second copy shows the same title; each robot sees its own program's window only.
    Robot other(besideMe("robot_target.exe"), {"robot_companion.dll"});
    ASSERT_TRUE(other.start());
    HWND theirs = other.waitForWindow(kTitle);
    ASSERT_NE(theirs, nullptr);
    EXPECT_NE(theirs, main);
    EXPECT_EQ(robot.findWindow(kTitle), main);
}

TEST_F(RobotTest, TypesClicksSelectsAndReadsControls) {
    // Every byte typed is a keystroke: four characters, four change notifications.
    Robot::type(main, IDC_EDIT, "ab日本");
    EXPECT_EQ(Robot::text(main, IDC_STATUS), "4:ab日本");
    EXPECT_EQ(Robot::text(main, IDC_EDIT), "ab日本");
    Robot::setText(main, IDC_EDIT, "xyz");
    EXPECT_EQ(Robot::text(main, IDC_STATUS), "5:xyz");

    EXPECT_TRUE(Robot::enabled(main, IDC_ASK));
    EXPECT_FALSE(Robot::enabled(main, IDC_OFF));
    EXPECT_TRUE(Robot::visible(main, IDC_STATUS));
    EXPECT_FALSE(Robot::visible(main, IDC_HIDDEN));
    EXPECT_TRUE(Robot::checked(main, IDC_CHECK));
    Robot::click(main, IDC_CHECK);
    EXPECT_TRUE(Robot::waitUntil([&] { return !Robot::checked(main, IDC_CHECK); }));

    Robot::selectRow(main, IDC_LIST, 1);
    EXPECT_TRUE(statusBecomes("row 1 ベータ"));

    // Keys go through the program's message loop, where the dialog manager makes commands of
    // them.
    Robot::pressKey(robot.focus(), VK_ESCAPE);
    EXPECT_TRUE(statusBecomes("IDCANCEL"));
    Robot::pressKey(main, VK_RETURN);
    EXPECT_TRUE(statusBecomes("IDOK"));
}

TEST_F(RobotTest, AnswersMessageBoxesAndReadsTheClipboard) {
    EXPECT_FALSE(robot.answerMessageBox(kBoxOk, 100).has_value());
    Robot::setText(main, IDC_EDIT, "よろしいですか？");
    Robot::click(main, IDC_ASK);
    // The box carries the main window's caption; the robot tells them apart by the message.
    EXPECT_EQ(robot.answerMessageBox(kBoxNo), "よろしいですか？");
    EXPECT_TRUE(statusBecomes("answer 2003"));
    EXPECT_EQ(robot.messageBox(), nullptr);

    Robot::emptyClipboard();
    EXPECT_FALSE(Robot::clipboardText().has_value());
    EXPECT_FALSE(Robot::clipboardHasFormat("RobotMarker"));
    Robot::click(main, IDC_COPY);
    EXPECT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "よろしいですか？"; }));
    EXPECT_TRUE(Robot::clipboardHasFormat("RobotMarker"));
    EXPECT_FALSE(Robot::clipboardHasFormat("RobotNoSuchFormat"));
}

TEST_F(RobotTest, EndsTheProgramAndTellsHow) {
    Robot::setText(main, IDC_EDIT, "bye");
    Robot::Ending ending = robot.stop();
    EXPECT_TRUE(ending.exited);
    EXPECT_EQ(ending.exitCode, 7u);
    EXPECT_EQ(robot.readDataFile("Out"), (Bytes{'b', 'y', 'e'}));

    // A program that ignores WM_CLOSE is killed; the same folder then starts it again.
    ASSERT_TRUE(robot.start("--ignore-close"));
    ASSERT_NE(robot.waitForWindow(kTitle), nullptr);
    ending = robot.stop(300);
    EXPECT_FALSE(ending.exited);
    EXPECT_FALSE(robot.running());
    ASSERT_TRUE(robot.start());
    EXPECT_NE(robot.waitForWindow(kTitle), nullptr);
}
