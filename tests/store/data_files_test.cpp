// The Data directory and the two data files, compared byte for byte with layouts built by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/data_file_bytes.h"
#include "core/data_files.h"
#include "core/entry_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_files.h"

namespace {
class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override { initDataStore(program.path().c_str()); }
    void TearDown() override { shutdownDataStore(); }

    std::string dataDir() const { return program.join("Data"); }
    std::string listFile() const { return dataDir() + kSeparator + "List"; }
    std::string setupFile() const { return dataDir() + kSeparator + "Setup"; }

    // The state after setting a PIN in the editor: stored and logged in with it.
    static void usePin(const char* pin) {
        std::strcpy(setupRecord.storedPin, pin);
        std::strcpy(loginPin, pin);
    }
    static void add(const EntryFields& e) {
        ASSERT_EQ(addEntry(e.name.c_str(), e.id.c_str(), e.password.c_str(), e.url.c_str()), 0);
    }
    static std::vector<std::string> names() {
        std::vector<std::string> result;
        for (int32_t i = 0; i < entryTable.count; ++i)
            result.emplace_back(entryTable.records[i].name);
        return result;
    }

    TempDir program;
    MessageRecorder messages;
};

const EntryFields kMail{"Mail", "taro@example.jp", "s3cret!", 0, "https://mail.example.jp/", ""};
const EntryFields kBank{
    "\x8B\xE2\x8D\x73", "0012345", "\x88\xC3\x8F\xD8pw", 0, "", ""}; // 銀行, 暗証
} // namespace

TEST_F(DataFilesTest, StartUpCreatesTheDataDirectoryAndRunsWithoutAPin) {
    EXPECT_TRUE(isDirectory(dataDir()));
    EXPECT_EQ(std::string(dataPaths.listPath), listFile());
    EXPECT_EQ(std::string(dataPaths.setupPath), setupFile());
    EXPECT_STREQ(setupRecord.storedPin, "");
    EXPECT_EQ(loginState, LoginState::Unset);
    EXPECT_EQ(entryTable.count, 0);
    EXPECT_TRUE(listDir(dataDir()).empty()) << "start-up reads, it writes no file";
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DataFilesTest, StartUpLoadsTheSettingsAndForgetsTheLogin) {
    writeBytes(setupFile(), setupFileBytes("4321", 1, "note"));
    std::strcpy(loginPin, "4321");
    loginState = LoginState::LoggedIn;
    initDataStore(program.path().c_str());
    EXPECT_STREQ(setupRecord.storedPin, "4321");
    EXPECT_EQ(setupRecord.autoLogoutOff, 1);
    EXPECT_STREQ(setupRecord.reservedText, "note");
    EXPECT_STREQ(loginPin, "");
    EXPECT_EQ(loginState, LoginState::Unset);
}

TEST_F(DataFilesTest, SetupFileBytesAndRoundTrip) {
    usePin("0815");
    setupRecord.autoLogoutOff = 1;
    std::strcpy(setupRecord.reservedText, "\x94\xF5\x8D\x6C reserved"); // 備考
    ASSERT_EQ(saveSettings(), 0);
    EXPECT_EQ(readBytes(setupFile()), setupFileBytes("0815", 1, "\x94\xF5\x8D\x6C reserved"));

    clearSetup();
    ASSERT_EQ(loadSettings(), 0);
    EXPECT_STREQ(setupRecord.storedPin, "0815");
    EXPECT_EQ(setupRecord.autoLogoutOff, 1);
    EXPECT_STREQ(setupRecord.reservedText, "\x94\xF5\x8D\x6C reserved");
    EXPECT_EQ(listDir(dataDir()), std::vector<std::string>{"Setup"}) << "no temporary file left";
}

TEST_F(DataFilesTest, ShortOrDamagedSetupFileReadsSafely) {
    Bytes full = setupFileBytes("1234", 1, "x");
    writeBytes(setupFile(), Bytes(full.begin(), full.begin() + 9)); // PIN and one byte of the flag
    ASSERT_EQ(loadSettings(), 0);
    EXPECT_STREQ(setupRecord.storedPin, "1234");
    EXPECT_EQ(setupRecord.autoLogoutOff, 1);
    EXPECT_STREQ(setupRecord.reservedText, "");

    writeBytes(setupFile(), Bytes(300, 'A')); // no terminator anywhere
    ASSERT_EQ(loadSettings(), 0);
    EXPECT_EQ(std::strlen(setupRecord.storedPin), 7u);
    EXPECT_EQ(std::strlen(setupRecord.reservedText), 251u);
}

TEST_F(DataFilesTest, MissingSetupFileFailsToLoad) {
    EXPECT_EQ(loadSettings(), -1);
}

TEST_F(DataFilesTest, ListFileBytesAndRoundTripKeepReservedTexts) {
    usePin("2468");
    add(kMail);
    add(kBank);
    ASSERT_EQ(names(), (std::vector<std::string>{"Mail", kBank.name}));
    entryTable.records[1].lastUsed = 1'765'000'000; // the bank entry, copied once
    std::strcpy(entryTable.records[0].reservedText, "kept \x95\x5C");
    ASSERT_EQ(saveEntryList(), 0);

    EntryFields bank = kBank, mail = kMail;
    mail.reserved = "kept \x95\x5C";
    bank.lastUsed = 1'765'000'000;
    EXPECT_EQ(readBytes(listFile()), listFileBytes("2468", {mail, bank})) << "table order";

    clearEntries();
    ASSERT_EQ(loadEntryList(), 0);
    EXPECT_EQ(names(), (std::vector<std::string>{kBank.name, "Mail"})) << "used entries first";
    EXPECT_EQ(entryTable.records[0].lastUsed, 1'765'000'000);
    EXPECT_STREQ(entryTable.records[0].password, kBank.password.c_str());
    EXPECT_STREQ(entryTable.records[1].password, "s3cret!");
    EXPECT_STREQ(entryTable.records[1].url, "https://mail.example.jp/");
    EXPECT_STREQ(entryTable.records[1].reservedText, "kept \x95\x5C");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DataFilesTest, SavingAnEmptyTableDeletesTheListFile) {
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    ASSERT_TRUE(exists(listFile()));
    ASSERT_EQ(removeEntry(0), 0);
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_FALSE(exists(listFile()));
    EXPECT_EQ(loadEntryList(), 0);
    EXPECT_EQ(entryTable.count, 0);
}

TEST_F(DataFilesTest, MissingListFileLeavesTheTableAsItIs) {
    add(kMail);
    EXPECT_EQ(loadEntryList(), 0);
    EXPECT_EQ(entryTable.count, 1);
}

TEST_F(DataFilesTest, WithoutAPinTheHeaderIsEmptyAndLoadsWithAnEmptyLogin) {
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_EQ(readBytes(listFile()), listFileBytes("", {kMail}));
    clearEntries();
    ASSERT_EQ(loadEntryList(), 0);
    EXPECT_EQ(names(), std::vector<std::string>{"Mail"});
}

TEST_F(DataFilesTest, AListSavedUnderAnotherPinIsNeverLoaded) {
    writeBytes(listFile(), listFileBytes("1111", {kMail}));
    usePin("2222");
    add(kBank); // whatever was in memory goes
    EXPECT_EQ(loadEntryList(), -1);
    EXPECT_EQ(entryTable.count, 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kLoadListFailedMessage});
}

TEST_F(DataFilesTest, AHeaderMismatchIsSilentWhileNoPinIsStored) {
    writeBytes(listFile(), listFileBytes("1111", {kMail}));
    EXPECT_EQ(loadEntryList(), -1);
    EXPECT_EQ(entryTable.count, 0);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DataFilesTest, CountsTheFileCannotBackAreRefused) {
    usePin("1234");
    for (int32_t count : {-1, INT32_MIN, 2, 1000, INT32_MAX}) {
        SCOPED_TRACE(count);
        writeBytes(listFile(), listFileBytesWithCount("1234", count, {kMail}));
        EXPECT_EQ(loadEntryList(), -1);
        EXPECT_EQ(entryTable.count, 0);
        EXPECT_EQ(entryTable.records, nullptr);
    }
    EXPECT_EQ(messages.messages().size(), 5u);
}

TEST_F(DataFilesTest, APartialLastRecordIsZeroFilled) {
    usePin("1234");
    Bytes bytes = listFileBytes("1234", {kMail, kBank});
    bytes.resize(12 + 524 + 88 + 3); // the second record stops inside its ID
    writeBytes(listFile(), bytes);
    ASSERT_EQ(loadEntryList(), 0);
    ASSERT_EQ(entryTable.count, 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"Mail", kBank.name}));
    EXPECT_STREQ(entryTable.records[1].id, "001"); // 12 of its bytes arrived
    EXPECT_STREQ(entryTable.records[1].password, "");
    EXPECT_EQ(entryTable.records[1].lastUsed, 0);

    bytes.resize(8); // not even a count
    writeBytes(listFile(), bytes);
    EXPECT_EQ(loadEntryList(), 0);
    EXPECT_EQ(entryTable.count, 0);
}

TEST_F(DataFilesTest, UnterminatedFieldsAreCutInsideTheirField) {
    Bytes bytes = listFileBytes("", {kMail});
    for (size_t i = 12; i < bytes.size(); ++i)
        if (i < 12 + 264 || i >= 12 + 268) // every text byte, not lastUsed
            bytes[i] = 'A' ^ 5;
    for (size_t i = 0; i < 8; ++i)
        bytes[i] = 'B';
    writeBytes(listFile(), bytes);
    EXPECT_EQ(loadEntryList(), -1) << "a header of eight non-NUL bytes is no PIN";

    for (size_t i = 0; i < 8; ++i)
        bytes[i] = 0;
    writeBytes(listFile(), bytes);
    ASSERT_EQ(loadEntryList(), 0);
    const EntryRecord& r = entryTable.records[0];
    EXPECT_EQ(std::string(r.name), std::string(87, 'A'));
    EXPECT_EQ(std::strlen(r.id), 87u);
    EXPECT_EQ(std::strlen(r.password), 87u);
    EXPECT_EQ(std::strlen(r.url), 127u);
    EXPECT_EQ(std::strlen(r.reservedText), 127u);
}

TEST_F(DataFilesTest, AFailedListSaveKeepsTheOldFileAndTheChangeInMemory) {
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    Bytes before = readBytes(listFile());
    add(kBank);
    ASSERT_TRUE(makeDir(listFile() + ".tmp")); // the temporary file cannot be created
    EXPECT_EQ(saveEntryList(), -1);
    EXPECT_EQ(readBytes(listFile()), before);
    EXPECT_EQ(entryTable.count, 2);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveListFailedMessage});
}

TEST_F(DataFilesTest, AFailedSetupSaveKeepsTheOldFile) {
    usePin("1234");
    ASSERT_EQ(saveSettings(), 0);
    usePin("5678");
    ASSERT_TRUE(makeDir(setupFile() + ".tmp"));
    EXPECT_EQ(saveSettings(), -1);
    EXPECT_EQ(readBytes(setupFile()), setupFileBytes("1234", 0));
    EXPECT_STREQ(setupRecord.storedPin, "5678");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveSetupFailedMessage});
}

TEST_F(DataFilesTest, ALeftoverTemporaryFileIsReplacedNotAppendedTo) {
    writeBytes(listFile() + ".tmp", Bytes(5000, 0xEE));
    add(kMail);
    ASSERT_EQ(saveEntryList(), 0);
    EXPECT_EQ(readBytes(listFile()), listFileBytes("", {kMail}));
    EXPECT_FALSE(exists(listFile() + ".tmp"));
}

TEST(DataDirectory, MakeDirectoryTreeCreatesMissingParents) {
    TempDir root;
    std::string deep = root.join("a") + kSeparator + "b" + kSeparator + "c";
    EXPECT_EQ(makeDirectoryTree(deep.c_str()), 0);
    EXPECT_TRUE(isDirectory(deep));
    EXPECT_EQ(makeDirectoryTree(deep.c_str()), 0) << "an existing directory is success";
    EXPECT_EQ(makeDirectoryTree(""), -1);
}

// Paths are UTF-8: a folder named in any script, also in characters no single code page holds.
TEST(DataDirectory, FolderNamesOfAnyScriptAreUsedAsTheyAre) {
    TempDir root;
    const std::string soft = u8"ソフト"; // apart from the checks, which quote their text
    std::string folder = root.join(soft) + kSeparator + u8"Café™";
    initDataStore(folder.c_str());
    std::string data = folder + kSeparator + "Data";
    EXPECT_TRUE(isDirectory(data));
    EXPECT_EQ(listDir(root.path()), std::vector<std::string>{soft});
    ASSERT_EQ(addEntry("x", "y", "", ""), 0);
    EXPECT_EQ(saveEntryList(), 0);
    EXPECT_TRUE(exists(data + kSeparator + "List"));
    shutdownDataStore();
}

// Deeper than MAX_PATH, or named in a script of three UTF-8 bytes a character: the path is used
// whole, with no budget of our own.
TEST(DataDirectory, LongAndJapaneseProgramDirectoriesAreUsedWhole) {
    for (const std::string& name : {std::string(40, 'd'), std::string(u8"鍵の帳面と手帳")}) {
        TempDir root;
        std::string dir = root.path();
        while (dir.size() < 400)
            dir += kSeparator + name;
        initDataStore(dir.c_str());
        std::string list = dir + kSeparator + "Data" + kSeparator + "List";
        EXPECT_EQ(std::string(dataPaths.listPath), list);
        ASSERT_EQ(addEntry("x", "y", "", ""), 0);
        ASSERT_EQ(saveEntryList(), 0);
        clearEntries();
        ASSERT_EQ(loadEntryList(), 0);
        EXPECT_EQ(entryTable.count, 1);
        shutdownDataStore();
    }
}
