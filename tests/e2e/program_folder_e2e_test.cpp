// Keyvane in whatever folder a user keeps it: deeper than MAX_PATH leaves room for the data
// files, or named in Japanese, three UTF-8 bytes a character. A new user's first steps there
// leave exactly the files a short folder gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const EntryFields kBank{"Bank", "0012345", "pw1", 0, "", ""};
const EntryFields kMail{"Mail", "taro", "pw2", 0, "https://mail.example.jp/", ""};

// count copies of unit, in folder names of perName units (a name takes at most 255 bytes).
std::string nestedFolder(const std::string& unit, size_t count, size_t perName) {
    std::string folder;
    for (size_t i = 0; i < count; ++i)
        folder += (i > 0 && i % perName == 0 ? "\\" : "") + unit;
    return folder;
}

// Through the PIN prompt, or through the message that there is no PIN yet.
HWND openEditor(KeyvaneRobot& robot, HWND main, const char* pin) {
    Robot::click(main, kEdit);
    bool through = pin != nullptr ? robot.logIn(pin) : robot.answerMessageBox(kBoxOk).has_value();
    return through ? robot.waitForWindow(kEditorTitle, "#32770") : nullptr;
}

// Change stays enabled while a message says the change could not be saved.
void changePin(KeyvaneRobot& robot, HWND editor, const char* pin) {
    Robot::setText(editor, kEditorPin, pin);
    Robot::click(editor, kEditorChangePin);
    robot.answerMessageBox(kBoxYes);
    EXPECT_TRUE(Robot::waitUntil([&] { return !Robot::enabled(editor, kEditorChangePin); }));
}

// Start, set a PIN, register, change the PIN, delete, restart, reopen.
void firstStepsOfANewUser(KeyvaneRobot& robot) {
    HWND main = robot.startToMainWindow(), editor = nullptr;
    ASSERT_NE(editor = openEditor(robot, main, nullptr), nullptr);
    changePin(robot, editor, "1234");
    Robot::click(editor, kEditorClose);
    ASSERT_TRUE(robot.waitForNoWindow(kEditorTitle));

    ASSERT_NE(editor = openEditor(robot, main, "1234"), nullptr);
    for (const EntryFields* entry : {&kBank, &kMail}) {
        Robot::setText(editor, kEditorName, entry->name);
        Robot::setText(editor, kEditorId, entry->id);
        Robot::setText(editor, kEditorPassword, entry->password);
        Robot::setText(editor, kEditorUrl, entry->url);
        Robot::click(editor, kEditorRegister);
        ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName).empty(); }));
    }
    changePin(robot, editor, "5678");
    Robot::selectRow(editor, kEditorList, 0);
    Robot::click(editor, kEditorDelete);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), "[Bank] を削除します。\nよろしいですか？");
    robot.stop();

    ASSERT_NE(main = robot.startAndLogIn("5678"), nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), std::vector<std::string>{"Mail"});
    ASSERT_NE(editor = openEditor(robot, main, "5678"), nullptr);
    EXPECT_EQ(Robot::listRows(editor, kEditorList), std::vector<std::string>{"Mail"});
    EXPECT_EQ(robot.readDataFile("Setup"), setupFileBytes("5678", 0));
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("5678", {kMail}));
    EXPECT_EQ(listDir(robot.folder() + "\\Data"), (std::vector<std::string>{"List", "Setup"}));
}
} // namespace

// 240 characters with the robot's own temporary folder: the program's path still fits where
// Wine can start it, the names of the data files do not.
TEST(AnyFolder, ADeepFolderWorksAsAShortOne) {
    size_t robotFolder = widePath(TempDir().path()).size() + 1;
    KeyvaneRobot robot(nestedFolder("d", 240 - robotFolder, 80));
    ASSERT_NEAR(static_cast<double>(widePath(robot.folder()).size()), 240, 2);
    firstStepsOfANewUser(robot);
}

TEST(AnyFolder, AFolderOfAHundredJapaneseCharactersWorksAsAShortOne) {
    KeyvaneRobot robot(nestedFolder(u8"鍵", 100, 25));
    firstStepsOfANewUser(robot);
}
