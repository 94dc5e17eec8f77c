// Nothing stored is lost: the PIN change as one commit over both files whatever step fails or
// wherever the program stops, files that could not be read kept aside, failures reported.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/support/data_file_bytes.h"
#include "core/data_files.h"
#include "core/entry_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/scripted_files.h"
#include "core/store_operations.h"
#include "tests/support/test_files.h"

namespace {
using DataFiles = std::map<std::string, Bytes>; // the Data directory: name -> bytes

const EntryFields kMail{"Mail", "taro@example.jp", "s3cret!", 0, "https://mail.example.jp/", ""};
const EntryFields kBank{"\x8B\xE2\x8D\x73", "0012345", "pw", 0, "", ""}; // 銀行

DataFiles dataFiles(const std::string& dataDir) {
    DataFiles files;
    for (const std::string& name : listDir(dataDir))
        files[name] = readBytes(dataDir + kSeparator + name);
    return files;
}

void logIn(const char* pin) {
    std::strcpy(setupRecord.storedPin, pin);
    std::strcpy(loginPin, pin);
    loginState = LoginState::LoggedIn;
}

// A PIN change from a state on the disk, and the two states the disk may be in afterwards.
struct PinChange {
    const char* what;
    DataFiles before;      // written, then loaded as the program would at start
    const char* loginWith; // the PIN the user logged in with ("" when none was asked)
    const char* newPin;
    DataFiles after;  // what a complete change leaves
    int entriesAfter; // what the table holds after it
};

const std::vector<PinChange>& pinChanges() {
    static const std::vector<PinChange> cases = {
        {"entries under a PIN",
         {{"List", listFileBytes("1234", {kMail, kBank})}, {"Setup", setupFileBytes("1234", 0)}},
         "1234",
         "5678",
         {{"List", listFileBytes("5678", {kMail, kBank})}, {"Setup", setupFileBytes("5678", 0)}},
         2},
        {"the Setup file lost, the List's PIN set again",
         {{"List", listFileBytes("1234", {kMail, kBank})}},
         "",
         "1234",
         {{"List", listFileBytes("1234", {kMail, kBank})}, {"Setup", setupFileBytes("1234", 0)}},
         2},
    };
    return cases;
}

class DataSafetyTest : public ::testing::Test {
protected:
    void SetUp() override { startUp(); }
    void TearDown() override { shutdownDataStore(); }

    void startUp() { initDataStore(program.path().c_str()); }
    std::string data() const { return program.join("Data"); }
    std::string file(const char* name) const { return data() + kSeparator + name; }
    // Starts the program on the given files and logs in as its user would.
    void startWith(const DataFiles& files, const char* pin) {
        for (const auto& [name, bytes] : files)
            writeBytes(file(name.c_str()), bytes);
        startUp();
        if (pinIsStored())
            logIn(pin);
        loadEntryList();
    }
    void add(const EntryFields& e) {
        ASSERT_EQ(addEntry(e.name.c_str(), e.id.c_str(), e.password.c_str(), e.url.c_str()), 0);
    }
    // The files whose names start with prefix.
    std::vector<std::string> filesStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& name : listDir(data()))
            if (name.compare(0, prefix.size(), prefix) == 0)
                found.push_back(name);
        return found;
    }

    TempDir program;
    MessageRecorder messages;
};
} // namespace

// Starts the program on change.before in a fresh folder and changes the PIN with the steps in
// failing made to fail, or with the program stopped after step killAfter. Then starts it again:
// the disk must hold the files from before or those from after, exactly; after failures, the
// PIN in memory must be the one on the disk. Returns the number of steps taken.
int changePinAndRestart(const PinChange& change, std::vector<int> failing, int killAfter) {
    TempDir program;
    MessageRecorder messages;
    std::string data = program.join("Data");
    initDataStore(program.path().c_str());
    for (const auto& [name, bytes] : change.before)
        writeBytes(data + kSeparator + name, bytes);
    initDataStore(program.path().c_str());
    if (pinIsStored())
        logIn(change.loginWith);
    loadEntryList();
    messages.clear();

    int result, steps;
    {
        ScriptedFiles files;
        for (int step : failing)
            files.failStep(step);
        files.killAfterStep(killAfter);
        result = changePin(change.newPin);
        steps = files.steps();
    }
    std::string pinInMemory = setupRecord.storedPin;
    bool killed = killAfter >= 0;
    if (!killed) {
        EXPECT_EQ(messages.messages().size(), result == 0 ? 0u : 1u);
        EXPECT_EQ(std::string(loginPin), pinInMemory);
    }
    if (failing.size() == 1 && result != 0) {
        EXPECT_EQ(dataFiles(data), change.before) << "one failure is undone at once";
    }
    if (exists(data + kSeparator + "List.old") && exists(data + kSeparator + "Setup.tmp")) {
        EXPECT_EQ(saveEntryList(), -1)
            << "start-up will undo the change: nothing more may be saved";
    }

    initDataStore(program.path().c_str());
    DataFiles onDisk = dataFiles(data);
    bool isNew = onDisk == change.after;
    EXPECT_TRUE(isNew || onDisk == change.before)
        << "files left: " << ::testing::PrintToString(listDir(data));
    if (!killed) {
        EXPECT_EQ(pinInMemory, isNew ? change.newPin : setupRecord.storedPin);
    }
    if (isNew) {
        std::strcpy(loginPin, setupRecord.storedPin);
        EXPECT_EQ(loadEntryList(), 0);
        EXPECT_EQ(entryTable.count, change.entriesAfter);
    }
    shutdownDataStore();
    return steps;
}

// Each step failing, each pair of steps failing (a failure while undoing one), and a stop after
// each step.
TEST(PinChangeCommit, EveryFailureAndEveryStopLeavesThePairOldOrNew) {
    for (const PinChange& change : pinChanges()) {
        SCOPED_TRACE(change.what);
        int steps = changePinAndRestart(change, {}, -1);
        EXPECT_GE(steps, 10);
        for (int step = 1; step <= steps; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            changePinAndRestart(change, {step}, -1);
            changePinAndRestart(change, {}, step - 1);
            for (int later = step + 1; later <= steps + 2; ++later)
                changePinAndRestart(change, {step, later}, -1);
        }
    }
}

TEST_F(DataSafetyTest, AFailedPinChangeLeavesTheLoginAndTheTableAsBefore) {
    startWith(pinChanges()[1].before, ""); // the List under 1234, no Setup
    ASSERT_EQ(entryTable.count, 0);
    {
        ScriptedFiles files;
        files.failStep(1);
        EXPECT_EQ(changePin("1234"), -1);
    }
    EXPECT_STREQ(setupRecord.storedPin, "");
    EXPECT_STREQ(loginPin, "");
    EXPECT_EQ(loginState, LoginState::Unset);
    EXPECT_EQ(entryTable.count, 0) << "the entries are not readable under the PIN on the disk";
    ASSERT_EQ(changePin("1234"), 0);
    EXPECT_EQ(entryTable.count, 2) << "and are read again when the PIN is set once more";
}

TEST_F(DataSafetyTest, AListThatWasNotReadIsKeptAsideBeforeItIsReplacedOrDeleted) {
    Bytes cut = listFileBytesWithCount("1234", 5, {kMail, kBank, kMail});
    cut.resize(12 + 2 * 524 + 100); // two whole records and a cut third of five
    startWith({{"List", cut}, {"Setup", setupFileBytes("1234", 0)}}, "1234");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kLoadListFailedMessage});

    messages.clear();
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    std::vector<std::string> kept = filesStartingWith("List.unread-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].size(), std::string("List.unread-20261208-101500").size());
    EXPECT_EQ(readBytes(file(kept[0].c_str())), cut) << "kept byte for byte";
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"読み込めなかったリストファイルを " +
                                                         kept[0] + " として残しました。"});
    EXPECT_EQ(readBytes(file("List")), listFileBytes("1234", {kMail}));

    // Told once; a second unreadable file in the same second does not replace the first.
    messages.clear();
    writeBytes(file("List"), cut);
    ASSERT_EQ(loadEntryList(), -1);
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_EQ(filesStartingWith("List.unread-").size(), 2u);
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_EQ(messages.messages().size(), 2u) << "the load's message, then one for the kept file";

    // Deleting (an empty table) keeps it aside too.
    writeBytes(file("List"), cut);
    ASSERT_EQ(loadEntryList(), -1);
    clearEntries();
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_FALSE(exists(file("List")));
    EXPECT_EQ(filesStartingWith("List.unread-").size(), 3u);
}

TEST_F(DataSafetyTest, SettingThePinOfAnUnreadListBringsItsEntriesBackOrKeepsItAside) {
    DataFiles lostSetup = pinChanges()[1].before;
    startWith(lostSetup, "");
    ASSERT_EQ(changePin("1234"), 0);
    EXPECT_EQ(entryTable.count, 2);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(dataFiles(data()), pinChanges()[1].after) << "nothing moved aside";

    TempDir other;
    initDataStore(other.path().c_str());
    std::string otherList = other.join("Data") + kSeparator + "List";
    writeBytes(otherList, listFileBytes("1234", {kMail}));
    ASSERT_EQ(loadEntryList(), -1);
    ASSERT_EQ(changePin("9999"), 0);
    EXPECT_EQ(entryTable.count, 0);
    EXPECT_FALSE(exists(otherList));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.texts()[0].find("List.unread-"), std::string::npos);
}

TEST_F(DataSafetyTest, ASetupThatCannotBeReadIsKeptAsideBeforeItIsReplaced) {
    ASSERT_TRUE(makeDir(file("Setup"))); // exists, and no file can be read from it
    startUp();
    ASSERT_EQ(switchAutoLogout(false), 0);
    std::vector<std::string> kept = filesStartingWith("Setup.unread-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(isDirectory(file(kept[0].c_str())));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"読み込めなかった設定ファイルを " +
                                                         kept[0] + " として残しました。"});
    EXPECT_EQ(readBytes(file("Setup")), setupFileBytes("", 1));
}

TEST_F(DataSafetyTest, FailuresThatUsedToPassSilentlyAreReported) {
    // The last entry's List file cannot be deleted: the entry stays, as on the disk.
    logIn("1234");
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    {
        ScriptedFiles files;
        files.failStep(1);
        EXPECT_EQ(deleteEntry(0), -1);
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveListFailedMessage});
    ASSERT_EQ(entryTable.count, 1);
    EXPECT_STREQ(entryTable.records[0].password, "s3cret!");
    EXPECT_TRUE(exists(file("List")));
    ASSERT_EQ(deleteEntry(0), 0);
    EXPECT_FALSE(exists(file("List")));

    // A directory where the List file belongs cannot be read.
    messages.clear();
    ASSERT_TRUE(makeDir(file("List")));
    EXPECT_EQ(loadEntryList(), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kLoadListFailedMessage});
}

TEST_F(DataSafetyTest, StartUpRemovesLeftoverTemporaryFiles) {
    writeBytes(file("List.tmp"), listFileBytes("1234", {kMail}));
    writeBytes(file("Setup.tmp"), setupFileBytes("1234", 0));
    startUp();
    EXPECT_TRUE(listDir(data()).empty());
}

// A folder whose data files the system cannot name (deeper than the 32,767 characters of Windows
// or PATH_MAX here) is reported once at start, and nothing is ever written there: the program
// must not look brand new with every entry still on the disk.
TEST(DataPathsAsAWhole, AFolderTheSystemCannotNameIsReportedOnceAndNeverWritten) {
    MessageRecorder messages;
    TempDir root;
    std::string tooDeep = root.join(std::string(40000, 'd'));
    initDataStore(tooDeep.c_str());
    ASSERT_EQ(messages.texts().size(), 1u);
    std::string told = messages.texts()[0];
    EXPECT_EQ(told.rfind("データフォルダ " + root.path().substr(0, 20), 0), 0u) << told;
    EXPECT_NE(told.find("...ddd"), std::string::npos) << "the middle left out";
    EXPECT_NE(told.find("d" + std::string(kSeparator) + "Data を使用できません。"),
              std::string::npos);
    EXPECT_LE(told.size(), 127u) << "the message box shows no more";
    EXPECT_EQ(saveSettings(), -1);
    EXPECT_TRUE(listDir(root.path()).empty());
    shutdownDataStore();
}
