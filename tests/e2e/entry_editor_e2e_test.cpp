// The entry editor from the outside: the locked state, the PIN, registering, overwriting,
// deleting and the automatic-logout switch, each checked in the data files byte for byte; and
// what it does with a held, damaged or orphaned data file.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
const char kNoPin[] =
    "暗証番号が設定されていませんので\n暗証番号を設定し、再度編集を行ってください。";
const char kChangePin[] = "暗証番号を変更します。\nよろしいですか？";
const char kOverwrite[] = "重複した名前があります。\n上書きしますか？";
const char kLoadListFailed[] = "リストファイルの読込みに失敗しました";

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

// Keyvane with PIN 1234 and the given entries, logged in, its editor open.
class EditorTest : public ::testing::Test {
protected:
    void open(const std::vector<EntryFields>& entries, int32_t autoLogoutOff = 0) {
        robot.writeDataFile("Setup", setupFileBytes("1234", autoLogoutOff));
        if (!entries.empty())
            robot.writeDataFile("List", listFileBytes("1234", entries));
        main = robot.startAndLogIn("1234");
        ASSERT_NE(main, nullptr);
        reopen();
    }
    void reopen() {
        Robot::click(main, kEdit);
        ASSERT_TRUE(robot.logIn("1234"));
        editor = robot.waitForWindow(kEditorTitle, "#32770");
        ASSERT_NE(editor, nullptr);
    }
    void close() {
        Robot::click(editor, kEditorClose);
        ASSERT_TRUE(robot.waitForNoWindow(kEditorTitle));
    }
    void fill(const char* name, const char* id, const char* password, const char* url = "") {
        Robot::setText(editor, kEditorName, name);
        Robot::setText(editor, kEditorId, id);
        Robot::setText(editor, kEditorPassword, password);
        Robot::setText(editor, kEditorUrl, url);
    }
    std::vector<std::string> rows() const { return Robot::listRows(editor, kEditorList); }
    bool enabled(int id) const { return Robot::enabled(editor, id); }

    KeyvaneRobot robot;
    HWND main = nullptr;
    HWND editor = nullptr;
};
} // namespace

TEST(EditorLocked, WithoutAPinOnlyThePinCanBeSet) {
    KeyvaneRobot robot;
    HWND main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    Robot::click(main, kEdit);
    HWND box = nullptr;
    ASSERT_TRUE(Robot::waitUntil([&] { return (box = robot.messageBox()) != nullptr; }));
    EXPECT_EQ(robot.findWindow(kEditorTitle), nullptr) << "the message comes first";
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kNoPin);
    HWND editor = robot.waitForWindow(kEditorTitle, "#32770");
    ASSERT_NE(editor, nullptr);

    for (int id : {kEditorList, kEditorName, kEditorId, kEditorPassword, kEditorUrl,
                   kEditorRegister, kEditorClear, kEditorDelete, kEditorAutoOn, kEditorAutoOff})
        EXPECT_FALSE(Robot::enabled(editor, id)) << id;
    EXPECT_TRUE(Robot::enabled(editor, kEditorPin));
    EXPECT_TRUE(Robot::enabled(editor, kEditorClose));
    EXPECT_FALSE(Robot::enabled(editor, kEditorChangePin));
    Robot::type(editor, kEditorPin, "12a");
    EXPECT_FALSE(Robot::enabled(editor, kEditorChangePin));
    Robot::setText(editor, kEditorPin, "2580");
    EXPECT_TRUE(Robot::enabled(editor, kEditorChangePin));

    Robot::click(editor, kEditorChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kChangePin);
    ASSERT_TRUE(Robot::waitUntil([&] { return robot.dataFileExists("Setup"); }));
    EXPECT_EQ(robot.readDataFile("Setup"), setupFileBytes("2580", 0));
    EXPECT_FALSE(robot.dataFileExists("List")) << "no entries, no List file";
    EXPECT_TRUE(Robot::waitUntil([&] { return !Robot::enabled(editor, kEditorChangePin); }));
    EXPECT_FALSE(Robot::enabled(editor, kEditorName)) << "unlocked only at the next opening";

    Robot::click(editor, kEditorClose);
    ASSERT_TRUE(robot.waitForNoWindow(kEditorTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::enabled(main, kLogin); }));
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::text(main) != kMainTitle; }, 2500))
        << "logged in with the new PIN: the countdown runs";
}

TEST_F(EditorTest, ChangingThePinWritesBothFilesOnlyOnYes) {
    open({kBank, kMail});
    EXPECT_EQ(Robot::text(editor, kEditorPin), "1234") << "shown in clear";
    EXPECT_FALSE(enabled(kEditorChangePin));
    Robot::setText(editor, kEditorPin, "5678");
    ASSERT_TRUE(enabled(kEditorChangePin));

    for (int answer : {0, static_cast<int>(kBoxNo)}) { // Escape, then No
        Robot::click(editor, kEditorChangePin);
        HWND box = nullptr;
        ASSERT_TRUE(Robot::waitUntil([&] { return (box = robot.messageBox()) != nullptr; }));
        if (answer == 0) {
            Robot::pressKey(robot.focus(), VK_ESCAPE);
            ASSERT_TRUE(Robot::waitUntil([&] { return robot.messageBox() == nullptr; }));
        } else {
            robot.answerMessageBox(answer);
        }
        EXPECT_EQ(robot.readDataFile("Setup"), setupFileBytes("1234", 0));
    }
    Robot::click(editor, kEditorChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kChangePin);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return robot.readDataFile("Setup") == setupFileBytes("5678", 0); }));
    // List is written after Setup, and the button is updated after both.
    EXPECT_TRUE(Robot::waitUntil([&] {
        return robot.readDataFile("List") == listFileBytes("5678", {kBank, kMail});
    }));
    EXPECT_TRUE(Robot::waitUntil([&] { return !enabled(kEditorChangePin); }));
    close();
    EXPECT_EQ(Robot::listRows(main, kMainList), (std::vector<std::string>{"Bank", "Mail"}));
}

TEST_F(EditorTest, RegisterAndClearEnableOnlyForWhatCanBeStored) {
    open({});
    EXPECT_FALSE(enabled(kEditorRegister));
    EXPECT_FALSE(enabled(kEditorClear));
    EXPECT_FALSE(enabled(kEditorDelete));
    fill("", "", "", "https://only.example/");
    EXPECT_FALSE(enabled(kEditorRegister)) << "a web address alone enables nothing";
    EXPECT_FALSE(enabled(kEditorClear));
    fill("Name", "", "");
    EXPECT_FALSE(enabled(kEditorRegister));
    EXPECT_TRUE(enabled(kEditorClear));
    fill("Name", "", "pw");
    EXPECT_TRUE(enabled(kEditorRegister));
    fill("Name", "id", "");
    EXPECT_TRUE(enabled(kEditorRegister));
    Robot::click(editor, kEditorClear);
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName).empty(); }));
    EXPECT_FALSE(enabled(kEditorClear));
    EXPECT_FALSE(robot.dataFileExists("List")) << "Clear writes nothing";
}

TEST_F(EditorTest, RegisteringAddsAndAnExistingNameAsksBeforeOverwriting) {
    open({kBank});
    std::string url128(128, 'u');
    fill("Shop", "me", "pw3", url128.c_str());
    EXPECT_EQ(Robot::text(editor, kEditorUrl).size(), 128u);
    Robot::click(editor, kEditorRegister);
    EntryFields shop{"Shop", "me", "pw3", 0, std::string(127, 'u'), ""};
    ASSERT_TRUE(Robot::waitUntil([&] { return rows().size() == 2; }));
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("1234", {kBank, shop}))
        << "a 128-byte address is kept as its first 127 bytes";
    EXPECT_EQ(Robot::text(editor, kEditorName), "") << "the fields are emptied";

    EntryFields bankNew{"Bank", "new-id", "new-pw", 0, "", ""};
    for (int answer : {static_cast<int>(kBoxNo), 0}) { // No, then Escape: both keep the entry
        fill("Bank", "new-id", "new-pw");
        Robot::click(editor, kEditorRegister);
        HWND box = nullptr;
        ASSERT_TRUE(Robot::waitUntil([&] { return (box = robot.messageBox()) != nullptr; }));
        EXPECT_EQ(Robot::text(box, kBoxMessage), kOverwrite);
        if (answer == 0)
            Robot::pressKey(robot.focus(), VK_ESCAPE);
        else
            Robot::click(box, answer);
        ASSERT_TRUE(Robot::waitUntil([&] { return robot.messageBox() == nullptr; }));
        ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName).empty(); }));
        EXPECT_EQ(robot.readDataFile("List"), listFileBytes("1234", {kBank, shop}));
    }
    fill("bank", "x", "y"); // another letter case is another name
    Robot::click(editor, kEditorRegister);
    ASSERT_TRUE(Robot::waitUntil([&] { return rows().size() == 3; }));
    EXPECT_EQ(robot.messageBox(), nullptr);

    fill("Bank", "new-id", "new-pw");
    Robot::click(editor, kEditorRegister);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kOverwrite);
    EntryFields lower{"bank", "x", "y", 0, "", ""};
    EXPECT_TRUE(Robot::waitUntil([&] {
        return robot.readDataFile("List") == listFileBytes("1234", {bankNew, shop, lower});
    }));
}

TEST_F(EditorTest, AnOverwrittenEntryKeepsItsRowUntilTheNextLoad) {
    EntryFields usedMail = kMail;
    usedMail.lastUsed = 1'700'000'000; // copied once: sorts first
    open({usedMail, kBank});
    ASSERT_EQ(rows(), (std::vector<std::string>{"Mail", "Bank"}));
    fill("Mail", "taro2", "pw9");
    Robot::click(editor, kEditorRegister);
    robot.answerMessageBox(kBoxYes);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName).empty(); }));
    EXPECT_EQ(rows(), (std::vector<std::string>{"Mail", "Bank"})) << "not re-sorted yet";
    close();
    reopen(); // loads the List file: now both are never used, in name order
    EXPECT_EQ(rows(), (std::vector<std::string>{"Bank", "Mail"}));
}

TEST_F(EditorTest, DeletingAsksWithTheNameAndTheLastEntryTakesTheFile) {
    open({kBank, kMail});
    Robot::selectRow(editor, kEditorList, 1);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorName) == "Mail"; }));
    EXPECT_EQ(Robot::text(editor, kEditorUrl), "https://mail.example.jp/");
    EXPECT_TRUE(enabled(kEditorDelete));
    Robot::click(editor, kEditorDelete);
    EXPECT_EQ(robot.answerMessageBox(kBoxNo), "[Mail] を削除します。\nよろしいですか？");
    ASSERT_TRUE(Robot::waitUntil([&] { return !enabled(kEditorDelete); }));
    EXPECT_EQ(rows().size(), 2u);

    for (int row : {1, 0}) {
        Robot::selectRow(editor, kEditorList, row);
        ASSERT_TRUE(Robot::waitUntil([&] { return enabled(kEditorDelete); }));
        Robot::click(editor, kEditorDelete);
        robot.answerMessageBox(kBoxYes);
        ASSERT_TRUE(Robot::waitUntil([&] { return rows().size() == static_cast<size_t>(row); }));
    }
    EXPECT_TRUE(Robot::waitUntil([&] { return !robot.dataFileExists("List"); }));
}

TEST_F(EditorTest, TheAutomaticLogoutSwitchIsSavedAtOnce) {
    open({kBank});
    EXPECT_TRUE(Robot::checked(editor, kEditorAutoOn));
    Robot::click(editor, kEditorAutoOff);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return robot.readDataFile("Setup") == setupFileBytes("1234", 1); }));
    close();
    Sleep(1300);
    EXPECT_EQ(Robot::text(main), kMainTitle) << "no countdown after the editor";
    reopen();
    EXPECT_TRUE(Robot::checked(editor, kEditorAutoOff));
    Robot::click(editor, kEditorAutoOn);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return robot.readDataFile("Setup") == setupFileBytes("1234", 0); }));
}

TEST_F(EditorTest, ReturnAndEscapeDoNothingInTheEditor) {
    open({kBank});
    Robot::setText(editor, kEditorName, "x");
    for (int id : {kEditorName, kEditorPin})
        for (WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}})
            Robot::pressKey(GetDlgItem(editor, id), key);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(robot.messageBox(), nullptr);
}

// --- What the user stored survives failures and damaged files ---

TEST_F(EditorTest, APinChangeWhoseSetupCannotBeReplacedLeavesBothFilesUnderTheOldPin) {
    open({kBank, kMail});
    // Held as a virus scanner or sync client holds a file: no sharing of writes or deletion.
    HANDLE held = CreateFileA(robot.dataPath("Setup").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Robot::setText(editor, kEditorPin, "5678");
    Robot::click(editor, kEditorChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxOk, 10000), "設定ファイルの保存に失敗しました");
    CloseHandle(held);
    EXPECT_TRUE(Robot::waitUntil([&] { return Robot::text(editor, kEditorPin) == "1234"; }));
    EXPECT_EQ(robot.readDataFile("Setup"), setupFileBytes("1234", 0));
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("1234", {kBank, kMail}));
    EXPECT_EQ(listDir(robot.folder() + "\\Data"), (std::vector<std::string>{"List", "Setup"}));

    close();
    robot.stop();
    main = robot.startAndLogIn("1234");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Robot::listRows(main, kMainList), (std::vector<std::string>{"Bank", "Mail"}));
}

TEST_F(EditorTest, AListThatCouldNotBeReadIsKeptAsideWhenAnEntryIsRegistered) {
    Bytes cut = listFileBytesWithCount("1234", 5, {kBank, kMail, kBank});
    cut.resize(12 + 2 * 524 + 100); // two whole records and a cut third of five
    robot.writeDataFile("Setup", setupFileBytes("1234", 0));
    robot.writeDataFile("List", cut);
    ASSERT_TRUE(robot.start() && robot.logIn("1234"));
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kLoadListFailed);
    main = robot.waitForWindow("Keyvane*", "#32770");
    ASSERT_NE(main, nullptr);
    Robot::click(main, kEdit);
    ASSERT_TRUE(robot.logIn("1234"));
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kLoadListFailed);
    editor = robot.waitForWindow(kEditorTitle, "#32770");
    ASSERT_NE(editor, nullptr);

    fill("Shop", "me", "pw3");
    Robot::click(editor, kEditorRegister);
    std::optional<std::string> told = robot.answerMessageBox(kBoxOk);
    ASSERT_TRUE(told.has_value());
    std::vector<std::string> files = listDir(robot.folder() + "\\Data");
    ASSERT_EQ(files.size(), 3u);
    const std::string& kept = files[1];
    EXPECT_EQ(kept.rfind("List.unread-", 0), 0u);
    EXPECT_EQ(*told, "読み込めなかったリストファイルを " + kept + " として残しました。");
    EXPECT_EQ(robot.readDataFile(kept), cut);
    // The box is up between moving the List aside and writing the new one.
    EXPECT_TRUE(Robot::waitUntil([&] {
        if (!robot.dataFileExists("List"))
            return false;
        return robot.readDataFile("List") ==
               listFileBytes("1234", {{"Shop", "me", "pw3", 0, "", ""}});
    }));
}

TEST_F(EditorTest, SettingThePinAgainAfterTheSetupFileWasLostBringsTheEntriesBack) {
    robot.writeDataFile("List", listFileBytes("1234", {kBank, kMail}));
    robot.writeDataFile("Setup", {}); // emptied: no PIN to ask
    main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Robot::listRows(main, kMainList).empty());
    Robot::click(main, kEdit);
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), kNoPin);
    editor = robot.waitForWindow(kEditorTitle, "#32770");
    ASSERT_NE(editor, nullptr);

    Robot::setText(editor, kEditorPin, "1234");
    Robot::click(editor, kEditorChangePin);
    EXPECT_EQ(robot.answerMessageBox(kBoxYes), kChangePin);
    EXPECT_TRUE(
        Robot::waitUntil([&] { return robot.readDataFile("Setup") == setupFileBytes("1234", 0); }));
    EXPECT_TRUE(Robot::waitUntil([&] { return rows().size() == 2; })) << "shown at once";
    EXPECT_EQ(SendDlgItemMessageW(editor, kEditorList, LB_GETCURSEL, 0, 0), LB_ERR);
    close();
    EXPECT_EQ(Robot::listRows(main, kMainList), (std::vector<std::string>{"Bank", "Mail"}));
    EXPECT_EQ(robot.readDataFile("List"), listFileBytes("1234", {kBank, kMail}));
    EXPECT_EQ(robot.messageBox(), nullptr) << "nothing was moved aside";
}

// --- Whatever folder a user keeps Keyvane in: deeper than MAX_PATH leaves room for the data
// files, or named in Japanese, three UTF-8 bytes a character ---

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
