// Keyvane in whatever folder a user keeps it: deeper than MAX_PATH leaves room for the data
// files, or named in Japanese, which takes three UTF-8 bytes a character. A new user's first
// steps there must leave exactly the files a short folder gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const char kNoPin[] =
    "暗証番号が設定されていませんので\n暗証番号を設定し、再度編集を行ってください。";
const char kChangePin[] = "暗証番号を変更します。\nよろしいですか？";
const EntryFields kBank{"Bank", "0012345", "pw1", 0, "", ""};
const EntryFields kMail{"Mail", "taro", "pw2", 0, "https://mail.example.jp/", ""};

// count copies of unit, in folder names of perName units each (a file system takes at most 255
// bytes a name).
std::string nestedFolder(const std::string& unit, size_t count, size_t perName) {
    std::string folder;
    for (size_t i = 0; i < count; ++i)
        folder += (i > 0 && i % perName == 0 ? "\\" : "") + unit;
    return folder;
}

// The characters a robot's temporary folder takes ahead of its subfolder.
size_t robotFolderChars() {
    TempDir probe;
    return widePath(probe.path()).size() + 1;
}

bool fileIs(const KeyvaneRobot& robot, const char* name, const Bytes& bytes) {
    return robot.dataFileExists(name) && robot.readDataFile(name) == bytes;
}

void setPin(KeyvaneRobot& robot, HWND editor, const char* pin) {
    Robot::setText(editor, kEditorPin, pin);
    Robot::click(editor, kEditorChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kChangePin);
    EXPECT_TRUE(Robot::waitUntil([&] { return fileIs(robot, "Setup", setupFileBytes(pin, 0)); }));
}

HWND openEditor(KeyvaneRobot& robot, HWND main, const char* pin) {
    Robot::click(main, kEdit);
    if (pin != nullptr ? !robot.logIn(pin) : robot.answerMessageBox(kBoxOk) != kNoPin)
        return nullptr;
    return robot.waitForWindow(kEditorTitle, "#32770");
}

// Start, set a PIN, register, change the PIN, delete, restart, reopen.
void firstStepsOfANewUser(KeyvaneRobot& robot) {
    HWND main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    HWND editor = openEditor(robot, main, nullptr);
    ASSERT_NE(editor, nullptr);
    setPin(robot, editor, "1234");
    Robot::click(editor, kEditorClose);
    ASSERT_TRUE(robot.waitForNoWindow(kEditorTitle));

    editor = openEditor(robot, main, "1234");
    ASSERT_NE(editor, nullptr);
    for (const EntryFields* entry : {&kBank, &kMail}) {
        Robot::setText(editor, kEditorName, entry->name);
        Robot::setText(editor, kEditorId, entry->id);
        Robot::setText(editor, kEditorPassword, entry->password);
        Robot::setText(editor, kEditorUrl, entry->url);
        Robot::click(editor, kEditorRegister);
        ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName).empty(); }));
    }
    setPin(robot, editor, "5678");
    Robot::selectRow(editor, kEditorList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(editor, kEditorDelete); }));
    Robot::click(editor, kEditorDelete);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), "[Bank] を削除します。\nよろしいですか？");
    ASSERT_TRUE(Robot::waitUntil(
        [&] { return Robot::listRows(editor, kEditorList) == std::vector<std::string>{"Mail"}; }));
    robot.stop();

    main = robot.startAndLogIn("5678");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), std::vector<std::string>{"Mail"});
    editor = openEditor(robot, main, "5678");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Robot::listRows(editor, kEditorList), std::vector<std::string>{"Mail"});
    EXPECT_EQ(robot.readDataFile("Setup"), setupFileBytes("5678", 0));
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("5678", {kMail}));
    EXPECT_EQ(listDir(robot.folder() + "\\Data"), (std::vector<std::string>{"List", "Setup"}));
}
} // namespace

// The program's own path still fits MAX_PATH, where Wine can start it; the data files' do not.
TEST(AnyFolder, ADeepFolderWorksAsAShortOne) {
    KeyvaneRobot robot(nestedFolder("d", 240 - robotFolderChars(), 80));
    ASSERT_NEAR(static_cast<double>(widePath(robot.folder()).size()), 240, 2);
    firstStepsOfANewUser(robot);
}

TEST(AnyFolder, AFolderOfAHundredJapaneseCharactersWorksAsAShortOne) {
    KeyvaneRobot robot(nestedFolder(u8"鍵", 100, 25));
    firstStepsOfANewUser(robot);
}
