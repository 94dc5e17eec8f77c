// Windows-only behaviour of the data files: the code page and the one-step replace.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/data_file_bytes.h"
#include "core/data_files.h"
#include "tests/support/message_recorder.h"
#include "core/store_operations.h"
#include "tests/support/test_files.h"

TEST(WindowsSetting, TheAnsiCodePageIsJapanese) {
    EXPECT_EQ(GetACP(), 932u) << "tests must run with LANG=ja_JP.UTF-8";
}

namespace {
// Opens a file the way a virus scanner or sync tool does: reading, sharing neither writes nor
// deletion, so it cannot be replaced while held.
HANDLE holdFile(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class ReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        initDataStore(program.path().c_str());
        ASSERT_EQ(addEntry("first", "id", "pw", ""), 0);
        ASSERT_EQ(saveEntryList(), 0);
        ASSERT_EQ(addEntry("second", "id", "pw", ""), 0);
        list = program.join("Data\\List");
    }
    void TearDown() override { shutdownDataStore(); }

    TempDir program;
    MessageRecorder messages;
    std::string list;
};
} // namespace

TEST_F(ReplaceTest, ABrieflyHeldFileIsReplacedOnceReleased) {
    HANDLE held = holdFile(list);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread releaser([held] {
        Sleep(300);
        CloseHandle(held);
    });
    EXPECT_EQ(saveEntryList(), 0);
    releaser.join();
    EXPECT_EQ(readBytes(list), listFileBytes("", {{"first", "id", "pw", 0, "", ""},
                                                  {"second", "id", "pw", 0, "", ""}}));
    EXPECT_FALSE(exists(list + ".tmp"));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ReplaceTest, AFileHeldThroughoutKeepsItsOldContents) {
    Bytes before = readBytes(list);
    HANDLE held = holdFile(list);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DWORD start = GetTickCount();
    EXPECT_EQ(saveEntryList(), -1);
    DWORD waited = GetTickCount() - start;
    CloseHandle(held);
    EXPECT_EQ(readBytes(list), before);
    EXPECT_FALSE(exists(list + ".tmp"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveListFailedMessage});
    EXPECT_GE(waited, 800u) << "retried for about a second before giving up";
    EXPECT_EQ(entryTable.count, 2) << "the change stays in memory";
}

namespace {
// PIN 1234 with two entries on the disk and in memory, logged in.
class HeldFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        initDataStore(program.path().c_str());
        std::strcpy(setupRecord.storedPin, "1234");
        std::strcpy(loginPin, "1234");
        loginState = LoginState::LoggedIn;
        ASSERT_EQ(addEntry("first", "id", "pw", ""), 0);
        ASSERT_EQ(addEntry("second", "id", "pw", ""), 0);
        ASSERT_EQ(saveSettingsAndList(), 0);
        list = program.join("Data\\List");
        setup = program.join("Data\\Setup");
        before = {readBytes(list), readBytes(setup)};
        messages.clear();
    }
    void TearDown() override { shutdownDataStore(); }
    std::vector<Bytes> onDisk() const { return {readBytes(list), readBytes(setup)}; }

    TempDir program;
    MessageRecorder messages;
    std::string list, setup;
    std::vector<Bytes> before;
};
} // namespace

TEST_F(HeldFileTest, APinChangeThatCannotReplaceEitherFileChangesNeither) {
    for (const std::string* held : {&setup, &list}) {
        SCOPED_TRACE(*held);
        HANDLE handle = holdFile(*held);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(changePin("5678"), -1);
        CloseHandle(handle);
        EXPECT_EQ(onDisk(), before);
        EXPECT_EQ(listDir(program.join("Data")), (std::vector<std::string>{"List", "Setup"}));
        EXPECT_STREQ(setupRecord.storedPin, "1234");
        EXPECT_STREQ(loginPin, "1234");
    }
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{kSaveSetupFailedMessage, kSaveListFailedMessage}));
}

TEST_F(HeldFileTest, TheLastEntryStaysWhileItsFileCannotBeDeleted) {
    ASSERT_EQ(removeEntry(1), 0);
    ASSERT_EQ(saveEntryList(), 0);
    Bytes one = readBytes(list);
    HANDLE handle = holdFile(list);
    EXPECT_EQ(deleteEntry(0), -1);
    CloseHandle(handle);
    EXPECT_EQ(entryTable.count, 1);
    EXPECT_EQ(readBytes(list), one);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveListFailedMessage});
}

TEST_F(HeldFileTest, AnUnreadListIsMovedAsideAndAHeldOneIsLeftAlone) {
    writeBytes(list, Bytes(20, 0x55)); // damaged
    ASSERT_EQ(loadEntryList(), -1);
    HANDLE handle = holdFile(list);
    ASSERT_EQ(addEntry("new", "id", "pw", ""), 0);
    EXPECT_EQ(saveEntryList(), -1) << "a file that cannot be moved aside is not replaced either";
    CloseHandle(handle);
    EXPECT_EQ(readBytes(list), Bytes(20, 0x55));

    messages.clear();
    ASSERT_EQ(saveEntryList(), 0);
    std::vector<std::string> names = listDir(program.join("Data"));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1].rfind("List.unread-", 0), 0u);
    EXPECT_EQ(readBytes(program.join("Data\\" + names[1])), Bytes(20, 0x55));
    EXPECT_EQ(messages.messages().size(), 1u);
}
