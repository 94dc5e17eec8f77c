// The version resource, read from real Windows binaries.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "core/program_info.h"

namespace {
// The probes are built into the folder of this test program.
std::string besideMe(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    splitPath(path, DirectoryPart);
    return std::string(path) + "\\" + name;
}
} // namespace

TEST(ReadFileVersion, ReadsAllFourPartsOfTheFixedFileVersion) {
    ProgramInfo info{};
    ASSERT_EQ(readFileVersion(besideMe("version_probe.dll").c_str(), info), 0);
    EXPECT_EQ(info.fileVersion[0], 2);
    EXPECT_EQ(info.fileVersion[1], 10);
    EXPECT_EQ(info.fileVersion[2], 0);
    EXPECT_EQ(info.fileVersion[3], 3);
}

TEST(ReadFileVersion, AFileWithoutVersionResourceLeavesZeros) {
    ProgramInfo info{};
    std::string probe = besideMe("unversioned_probe.dll");
    EXPECT_EQ(readFileVersion(probe.c_str(), info), -1);
    EXPECT_EQ(buildProgramInfo(probe.c_str(), info, 2026), -1);
    for (int32_t part : info.fileVersion)
        EXPECT_EQ(part, 0);
    EXPECT_STREQ(info.programFile, "unversioned_probe.dll");
    EXPECT_STRNE(info.noticeText, "");
    EXPECT_EQ(readFileVersion(besideMe("no_such_file.dll").c_str(), info), -1);
}

TEST(BuildProgramInfo, TheRunningProgramsOwnPathSplitsCleanly) {
    ProgramInfo info{};
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    info.modulePath.format("%s", path);
    buildProgramInfo(info.modulePath, info, 2026);
    EXPECT_EQ(std::string(info.programDir) + "\\" + info.programFile.get(), path);
    EXPECT_STREQ(info.programFile, "program_info_tests.exe");
}
