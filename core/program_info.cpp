#include "core/program_info.h"

#include <cstring>

#include "core/file_ops.h"

ProgramInfo programInfo;

namespace {
const char kAuthorName[] = "Keyvane Project";
const char kAuthorMail[] = "support@keyvane.example";
const char kSupportUrl[] = "https://keyvane.example/support/";
const char kNoticeLabel[] = "Copyright (C)";
} // namespace

int splitPath(char* text, PathPart part) {
    long last = findLastPathSeparator(text, "\\");
    if (part == DirectoryPart) {
        text[last < 0 ? 0 : last] = '\0';
    } else if (last >= 0) {
        const char* name = text + last + 1;
        std::memmove(text, name, std::strlen(name) + 1);
    }
    return 0;
}

int buildProgramInfo(const char* path, ProgramInfo& info, int year) {
    copyText(info.authorName, sizeof info.authorName, kAuthorName);
    formatText(info.noticeText, sizeof info.noticeText, "%s %4d\n %s\n All Rights Reserved.",
               kNoticeLabel, year, kAuthorName);
    copyText(info.authorMail, sizeof info.authorMail, kAuthorMail);
    copyText(info.supportUrl, sizeof info.supportUrl, kSupportUrl);

    if (info.programDir.format("%s", path))
        splitPath(info.programDir.data(), DirectoryPart);
    if (info.programFile.format("%s", path))
        splitPath(info.programFile.data(), FileNamePart);

    return readFileVersion(path, info) == 0 ? 0 : -1;
}

int readFileVersion(const char* path, ProgramInfo& info) {
    int32_t parts[4] = {};
    if (fileSystem().readVersion(path, parts) != 0)
        return -1;
    std::memcpy(info.fileVersion, parts, sizeof parts);
    return 0;
}
