// Program information and the text helpers it stands on: path splitting, the notice, bounded
// and character-safe copying.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/program_info.h"
#include "core/text.h"

namespace {
std::string split(const std::string& path, PathPart part) {
    std::string buffer = path;
    EXPECT_EQ(splitPath(&buffer[0], part), 0);
    return buffer.c_str();
}
} // namespace

TEST(SplitPath, CutsAtTheLastBackslash) {
    EXPECT_EQ(split("C:\\Apps\\Tool\\prog.exe", DirectoryPart), "C:\\Apps\\Tool");
    EXPECT_EQ(split("C:\\Apps\\Tool\\prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("\\prog.exe", DirectoryPart), "");
    EXPECT_EQ(split("\\prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("C:\\Apps\\", DirectoryPart), "C:\\Apps");
    EXPECT_EQ(split("C:\\Apps\\", FileNamePart), "");
    EXPECT_EQ(split("prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("prog.exe", DirectoryPart), "");
}

// Paths are UTF-8: folder names of any script, whatever the system's code page.
TEST(SplitPath, FolderNamesOfAnyScriptSplitAtTheirBackslashes) {
    // Spelled apart from the checks: their text is quoted in failure messages, in Shift-JIS.
    const std::string folder = u8"C:\\ソフト\\Café™", file = u8"表.exe";
    EXPECT_EQ(split(folder + "\\" + file, DirectoryPart), folder);
    EXPECT_EQ(split(folder + "\\" + file, FileNamePart), file);
}

TEST(TextHelpers, CopiesAreCutOnlyAtCharacterBoundaries) {
    char buffer[6];
    EXPECT_TRUE(copyText(buffer, sizeof buffer, "abcde"));
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_FALSE(copyText(buffer, sizeof buffer, "abcdef"));
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_FALSE(copyText(buffer, sizeof buffer, "abcd\x95\x5C")); // 表 would need bytes 4 and 5
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_TRUE(copyText(buffer, sizeof buffer, "a\x95\x5C\x83\x5C")); // 5 bytes fit exactly
    EXPECT_STREQ(buffer, "a\x95\x5C\x83\x5C");
    EXPECT_FALSE(copyText(buffer, sizeof buffer, "\xB1\xB2\xB3\xB4\xB5\xB6")); // ｱｲｳｴｵｶ
    EXPECT_STREQ(buffer, "\xB1\xB2\xB3\xB4\xB5");
}

TEST(TextHelpers, FormattingNeverOverrunsNorSplitsACharacter) {
    char buffer[8];
    EXPECT_TRUE(formatText(buffer, sizeof buffer, "%s-%d", "ab", 42));
    EXPECT_STREQ(buffer, "ab-42");
    EXPECT_FALSE(formatText(buffer, sizeof buffer, "[%s]", "abcde\x82\xA0")); // [abcdeあ]
    EXPECT_STREQ(buffer, "[abcde");
    EXPECT_EQ(fitLength("\x82\xA0\x82\xA2", 3), 2u);
    EXPECT_EQ(fitLength("ab\x82", 8), 3u) << "a lone lead byte at the end counts as one";
}

TEST(TextHelpers, ShorteningKeepsTheStartAndTheEndOfAPath) {
    char path[] = "C:\\Users\\taro\\OneDrive\\Keyvane\\Data", fits[] = "C:\\Data";
    shortenMiddle(path, 20);
    EXPECT_STREQ(path, "C:\\Users...vane\\Data");
    shortenMiddle(fits, 20);
    EXPECT_STREQ(fits, "C:\\Data");
    char japanese[] = "C:\\\x95\x5C\x83\x5C\x94\x5C\\Data"; // 表ソ能: each ends in a "\\" byte
    shortenMiddle(japanese, 12);
    EXPECT_STREQ(japanese, "C:\\...\\Data") << "never half a character";
}
