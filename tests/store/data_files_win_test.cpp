// Windows-only behaviour of the data files: the code page and the one-step replace.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "data_file_bytes.h"
#include "data_files.h"
#include "message_recorder.h"
#include "test_files.h"

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
