// buildProgramInfo with a stand-in for the Windows version reader, which the native build
// does not have.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/program_info.h"

namespace {
int versionResult = 0;
std::string versionPathSeen;
} // namespace

int readFileVersion(const char* path, ProgramInfo& info) {
    versionPathSeen = path;
    if (versionResult != 0)
        return -1;
    info.fileVersion[0] = 1;
    info.fileVersion[2] = 2;
    return 0;
}

TEST(BuildProgramInfo, FillsPathsTextsAndVersion) {
    ProgramInfo info{};
    std::strcpy(info.modulePath, "C:\\Apps\\Tool\\prog.exe");
    versionResult = 0;
    EXPECT_EQ(buildProgramInfo(info.modulePath, info, 2026), 0);
    EXPECT_STREQ(info.modulePath, "C:\\Apps\\Tool\\prog.exe");
    EXPECT_STREQ(info.programDir, "C:\\Apps\\Tool");
    EXPECT_STREQ(info.programFile, "prog.exe");
    EXPECT_EQ(versionPathSeen, "C:\\Apps\\Tool\\prog.exe");
    EXPECT_EQ(info.fileVersion[0], 1);
    EXPECT_EQ(info.fileVersion[2], 2);
    EXPECT_STREQ(info.noticeText, "Copyright (C) 2026\n Keyvane Project\n All Rights Reserved.");
    EXPECT_STRNE(info.authorName, "");
    EXPECT_NE(std::strchr(info.authorMail, '@'), nullptr);
    EXPECT_EQ(std::strncmp(info.supportUrl, "https://", 8), 0);
}

TEST(BuildProgramInfo, EverythingButTheVersionIsFilledWhenItCannotBeRead) {
    ProgramInfo info{};
    versionResult = -1;
    EXPECT_EQ(buildProgramInfo("C:\\x\\y.exe", info, 999), -1);
    EXPECT_STREQ(info.programDir, "C:\\x");
    EXPECT_STREQ(info.programFile, "y.exe");
    EXPECT_STREQ(info.noticeText, "Copyright (C)  999\n Keyvane Project\n All Rights Reserved.");
    EXPECT_STRNE(info.supportUrl, "");
    for (int32_t part : info.fileVersion)
        EXPECT_EQ(part, 0);
}

TEST(BuildProgramInfo, PathsUpToTheWindowsLimitAreKeptWhole) {
    ProgramInfo info{};
    versionResult = 0;
    std::string path = "C:\\" + std::string(240, 'd') + "\\" + std::string(15, 'f'); // 259 bytes
    ASSERT_EQ(path.size(), kMaxPathBytes - 1);
    buildProgramInfo(path.c_str(), info, 2026);
    EXPECT_EQ(std::string(info.programDir), "C:\\" + std::string(240, 'd'));
    EXPECT_EQ(std::string(info.programFile), std::string(15, 'f'));

    path += "f"; // one byte too many: refused rather than cut to another directory
    buildProgramInfo(path.c_str(), info, 2026);
    EXPECT_STREQ(info.programDir, "");
    EXPECT_STREQ(info.programFile, "");
}
