// The same program on every code page. CTest runs these, with the other tests that show or save
// text, once under code page 932 and once under 1252: the expectations are the same Shift-JIS
// bytes in both runs, so what the user sees and what lands on disk cannot differ between them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const char kUnusable[] = "使用できない文字が含まれています。";
const EntryFields kJapanese{"銀行", "山田太郎", "ﾊﾟｽ漢字", 0, "https://例え.jp/", ""};
const EntryFields kShop{"通販", "やまだ", "秘密ｶﾅ", 0, "", ""};

HWND openEditor(KeyvaneRobot& robot, HWND main) {
    Robot::click(main, kEdit);
    if (!robot.logIn("1234"))
        return nullptr;
    return robot.waitForWindow(kEditorTitle, "#32770");
}
} // namespace

TEST(CodePage, JapaneseTextIsShownCopiedAndSavedAsOnAJapaneseSystem) {
    KeyvaneRobot robot;
    robot.writeDataFile("Setup", setupFileBytes("1234", 1));
    robot.writeDataFile("List", listFileBytes("1234", {kJapanese}));
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), std::vector<std::string>{"銀行"});
    Robot::selectRow(main, kMainList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "山田太郎"; }));
    EXPECT_EQ(Robot::text(main, kPasswordField), "*******") << "one asterisk a Shift-JIS byte";
    Robot::click(main, kPasswordField);
    EXPECT_TRUE(Robot::waitUntil([] { return Robot::clipboardText() == "ﾊﾟｽ漢字"; }));

    HWND editor = openEditor(robot, main);
    ASSERT_NE(editor, nullptr);
    Robot::setText(editor, kEditorName, kShop.name);
    Robot::type(editor, kEditorId, kShop.id); // typed as well as set
    Robot::setText(editor, kEditorPassword, kShop.password);
    Robot::click(editor, kEditorRegister);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::listRows(editor, kEditorList).size() == 2; }));
    Bytes list = robot.readDataFile("List");
    EntryFields used = kJapanese;
    used.lastUsed = lastUsedOf(list, 0);
    EXPECT_EQ(list, listFileBytes("1234", {used, kShop}));

    Robot::selectRow(editor, kEditorList, 1);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(editor, kEditorDelete); }));
    Robot::click(editor, kEditorDelete);
    EXPECT_EQ(robot.answerMessageBox(kBoxNo), "[通販] を削除します。\nよろしいですか？");
}

TEST(CodePage, ACharacterShiftJisCannotHoldIsRefusedAndNothingIsSaved) {
    KeyvaneRobot robot;
    robot.writeDataFile("Setup", setupFileBytes("1234", 1));
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    HWND editor = openEditor(robot, main);
    ASSERT_NE(editor, nullptr);

    Robot::typeWide(editor, kEditorName, L"a\U0001F600"); // an emoji: beyond any code page 932
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kUnusable);
    EXPECT_EQ(Robot::text(editor, kEditorName), "a");

    // Set from outside the keyboard, it is refused when registering.
    Robot::setTextWide(editor, kEditorName, L"Caf\u00E9"); // é: no Shift-JIS character
    Robot::setText(editor, kEditorId, "id");
    Robot::click(editor, kEditorRegister);
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kUnusable);
    Sleep(300);
    EXPECT_FALSE(robot.dataFileExists("List")) << "nothing saved, nothing stored as \"?\"";
}

TEST(CodePage, AProgramFolderWithAJapaneseNameWorks) {
    KeyvaneRobot robot(u8"鍵の帳面"); // the system's code page may not spell it
    robot.writeDataFile("Setup", setupFileBytes("1234", 1));
    robot.writeDataFile("List", listFileBytes("1234", {kShop}));
    HWND main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), std::vector<std::string>{"通販"});
    Robot::selectRow(main, kMainList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kIdField) == "やまだ"; }));
    Robot::click(main, kIdField);
    EXPECT_TRUE(Robot::waitUntil([&] { return lastUsedOf(robot.readDataFile("List"), 0) != 0; }))
        << "the copy's time saved in the program's own Data folder";
}
