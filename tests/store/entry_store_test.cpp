// The table in memory: scrambling, order, adding and removing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/entry_store.h"
#include "tests/support/message_recorder.h"

namespace {
std::vector<std::string> names() {
    std::vector<std::string> result;
    for (int32_t i = 0; i < entryTable.count; ++i)
        result.emplace_back(entryTable.records[i].name);
    return result;
}

class EntryTableTest : public ::testing::Test {
protected:
    void SetUp() override { clearEntries(); }
    void TearDown() override { clearEntries(); }
    MessageRecorder messages;
};
} // namespace

TEST(ScrambleText, FlipsBitsUpToTheTerminatorAndUndoesItself) {
    char field[8] = {'1', '2', '3', '4', '\0', 'x', 'y', 'z'};
    scrambleText(field, sizeof field);
    EXPECT_EQ(std::string(field, 8), std::string("\x34\x37\x36\x31\0xyz", 8));
    scrambleText(field, sizeof field);
    EXPECT_EQ(std::string(field, 8), std::string("1234\0xyz", 8));
}

TEST(ScrambleText, NeverRunsPastItsField) {
    char buffer[12];
    std::memset(buffer, 'a', sizeof buffer);
    scrambleText(buffer, 8);
    EXPECT_EQ(std::string(buffer, 12), std::string(8, 'a' ^ 5) + "aaaa");
}

TEST_F(EntryTableTest, NeverUsedEntriesFollowUsedOnesInNameByteOrder) {
    addEntry("abd", "", "", "");
    addEntry("abc", "", "", "");
    addEntry("\x83\x5C\x83\x74\x83\x67", "", "", ""); // ソフト: double-byte names after ASCII
    addEntry("Abc", "", "", "");
    addEntry("9abc", "", "", "");
    addEntry("yesterday", "", "", "");
    addEntry("now", "", "", "");
    entryTable.records[5].lastUsed = 1'700'000'000; // "yesterday" sits at index 5 after sorting
    ASSERT_STREQ(entryTable.records[5].name, "yesterday");
    entryTable.records[4].lastUsed = 1'700'086'400;
    ASSERT_STREQ(entryTable.records[4].name, "now");
    sortEntries();
    EXPECT_EQ(names(), (std::vector<std::string>{"now", "yesterday", "9abc", "Abc", "abc", "abd",
                                                 "\x83\x5C\x83\x74\x83\x67"}));
}

TEST_F(EntryTableTest, LastUsedComparesAsSignedTime) {
    addEntry("before1970", "", "", "");
    addEntry("never", "", "", "");
    entryTable.records[0].lastUsed = -5;
    sortEntries();
    EXPECT_EQ(names(), (std::vector<std::string>{"never", "before1970"}));
}

TEST_F(EntryTableTest, AddEntryStoresANeverUsedRecordAndKeepsOrder) {
    ASSERT_EQ(addEntry("b", "id-b", "pw-b", "https://b.example/"), 0);
    entryTable.records[0].lastUsed = 100;
    ASSERT_EQ(addEntry("a", "id-a", "pw-a", ""), 0);
    ASSERT_EQ(names(), (std::vector<std::string>{"b", "a"}));
    const EntryRecord& added = entryTable.records[1];
    EXPECT_STREQ(added.id, "id-a");
    EXPECT_STREQ(added.password, "pw-a");
    EXPECT_STREQ(added.url, "");
    EXPECT_EQ(added.lastUsed, 0);
    EXPECT_EQ(std::string(added.reservedText, sizeof added.reservedText),
              std::string(sizeof added.reservedText, '\0'));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(EntryTableTest, AddEntryCutsOverlongTextsAtACharacterBoundary) {
    std::string name = std::string(86, 'n') + "\x95\x5C"; // 88 bytes: 表 would straddle the end
    ASSERT_EQ(addEntry(name.c_str(), "", "", ""), 0);
    EXPECT_EQ(std::string(entryTable.records[0].name), std::string(86, 'n'));
}

TEST_F(EntryTableTest, RemoveEntryKeepsTheOrderOfTheRest) {
    for (const char* n : {"a", "b", "c", "d"})
        addEntry(n, "", "", "");
    ASSERT_EQ(removeEntry(1), 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "c", "d"}));
    ASSERT_EQ(removeEntry(2), 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(removeEntry(2), -1);
    EXPECT_EQ(removeEntry(-1), -1);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(EntryTableTest, RemovingTheOnlyEntryFreesTheTable) {
    addEntry("only", "", "", "");
    ASSERT_EQ(removeEntry(0), 0);
    EXPECT_EQ(entryTable.count, 0);
    EXPECT_EQ(entryTable.records, nullptr);
}
