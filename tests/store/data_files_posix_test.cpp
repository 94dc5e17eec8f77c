// Failures that only a POSIX test can provoke cheaply.
#include <gtest/gtest.h>

#include <unistd.h>

#include "tests/support/data_file_bytes.h"
#include "core/data_files.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_files.h"

TEST(FailedSave, AWriteThatCannotReachTheDiskKeepsTheOldFile) {
    TempDir program;
    MessageRecorder messages;
    initDataStore(program.path().c_str());
    ASSERT_EQ(addEntry("first", "id", "pw", ""), 0);
    ASSERT_EQ(saveEntryList(), 0);
    std::string list = program.join("Data/List");
    Bytes before = readBytes(list);

    // The temporary file lands on a full disk: the write is accepted into the buffer and
    // fails only when flushed.
    ASSERT_EQ(symlink("/dev/full", (list + ".tmp").c_str()), 0);
    ASSERT_EQ(addEntry("second", "id", "pw", ""), 0);
    EXPECT_EQ(saveEntryList(), -1);
    EXPECT_EQ(readBytes(list), before);
    EXPECT_FALSE(exists(list + ".tmp"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kSaveListFailedMessage});
    shutdownDataStore();
}
