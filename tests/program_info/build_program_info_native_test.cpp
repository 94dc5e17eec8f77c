// buildProgramInfo with a stand-in for the Windows version reader, which the native build
// does not have.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/program_info.h"
#include "tests/support/scripted_files.h"

namespace {
// Every file is version 1.0.2.0; the native file system's own have none.
class VersionedFiles : public ScriptedFiles {
public:
    int readVersion(const char* path, int32_t (&parts)[4]) override {
        pathSeen = path;
        parts[0] = 1;
        parts[2] = 2;
        return 0;
    }
    std::string pathSeen;
};
} // namespace

TEST(BuildProgramInfo, FillsPathsTextsAndVersion) {
    VersionedFiles files;
    ProgramInfo info{};
    info.modulePath.format("C:\\Apps\\Tool\\prog.exe");
    EXPECT_EQ(buildProgramInfo(info.modulePath, info, 2026), 0);
    EXPECT_STREQ(info.modulePath, "C:\\Apps\\Tool\\prog.exe");
    EXPECT_STREQ(info.programDir, "C:\\Apps\\Tool");
    EXPECT_STREQ(info.programFile, "prog.exe");
    EXPECT_EQ(files.pathSeen, "C:\\Apps\\Tool\\prog.exe");
    EXPECT_EQ(info.fileVersion[0], 1);
    EXPECT_EQ(info.fileVersion[2], 2);
    EXPECT_STREQ(info.noticeText, "Copyright (C) 2026\n Keyvane Project\n All Rights Reserved.");
    EXPECT_STRNE(info.authorName, "");
    EXPECT_NE(std::strchr(info.authorMail, '@'), nullptr);
    EXPECT_EQ(std::strncmp(info.supportUrl, "https://", 8), 0);
}

TEST(BuildProgramInfo, EverythingButTheVersionIsFilledWhenItCannotBeRead) {
    ProgramInfo info{};
    EXPECT_EQ(buildProgramInfo("C:\\x\\y.exe", info, 999), -1);
    EXPECT_STREQ(info.programDir, "C:\\x");
    EXPECT_STREQ(info.programFile, "y.exe");
    EXPECT_STREQ(info.noticeText, "Copyright (C)  999\n Keyvane Project\n All Rights Reserved.");
    EXPECT_STRNE(info.supportUrl, "");
    for (int32_t part : info.fileVersion)
        EXPECT_EQ(part, 0);
}
