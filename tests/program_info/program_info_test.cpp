// Program information and the text helpers it stands on: path splitting, the notice, bounded
// and character-safe copying.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/program_info.h"
#include "core/text.h"

namespace {
std::string split(const std::string& path, int part) {
    char buffer[kMaxPathBytes];
    std::strcpy(buffer, path.c_str());
    EXPECT_EQ(splitPath(buffer, part), 0);
    return buffer;
}
} // namespace

TEST(SplitPath, CutsAtTheLastBackslash) {
    EXPECT_EQ(split("C:\\Apps\\Tool\\prog.exe", DirectoryPart), "C:\\Apps\\Tool");
    EXPECT_EQ(split("C:\\Apps\\Tool\\prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("\\prog.exe", DirectoryPart), "");
    EXPECT_EQ(split("\\prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("C:\\Apps\\", DirectoryPart), "C:\\Apps");
    EXPECT_EQ(split("C:\\Apps\\", FileNamePart), "");
    EXPECT_EQ(split("C:\\Apps\\prog.exe", 0), "C:\\Apps\\prog.exe");
    EXPECT_EQ(split("C:\\Apps\\prog.exe", 4), "C:\\Apps\\prog.exe");
    EXPECT_EQ(split("prog.exe", FileNamePart), "prog.exe");
    EXPECT_EQ(split("prog.exe", DirectoryPart), "");
}

TEST(SplitPath, ADoubleByteCharacterEndingIn0x5CIsNoSeparator) {
    // C:\ソフト\表.exe and C:\ソフト\表 (ソ = 83 5C, 表 = 95 5C).
    const std::string soft = "\x83\x5C\x83\x74\x83\x67";
    EXPECT_EQ(split("C:\\" + soft + "\\\x95\x5C.exe", DirectoryPart), "C:\\" + soft);
    EXPECT_EQ(split("C:\\" + soft + "\\\x95\x5C.exe", FileNamePart), "\x95\x5C.exe");
    EXPECT_EQ(split("C:\\" + soft + "\\\x95\x5C", FileNamePart), "\x95\x5C");
    EXPECT_EQ(split("C:\\\x95\x5C\\app.exe", DirectoryPart), "C:\\\x95\x5C");
    // Half-width katakana (single bytes A1-DF) are no lead bytes.
    EXPECT_EQ(split("C:\\\xB7\\a.exe", DirectoryPart), "C:\\\xB7");
}

TEST(SplitPath, FollowsTheLeadBytesOfTheCodePageInUse) {
    // C:\Tools™\prog.exe in code page 1252, where ™ is 0x99 and no byte starts a pair.
    const std::string path = "C:\\Tools\x99\\prog.exe";
    setLeadBytes([](unsigned char) { return false; });
    EXPECT_EQ(split(path, DirectoryPart), "C:\\Tools\x99");
    char cut[5];
    EXPECT_FALSE(copyText(cut, sizeof cut, "abc\x99\x5C"));
    EXPECT_STREQ(cut, "abc\x99");
    setLeadBytes(
        [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); });
    EXPECT_EQ(split(path, DirectoryPart), "C:") << "0x99 0x5C is one Shift-JIS character";
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
