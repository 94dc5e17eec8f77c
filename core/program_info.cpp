#include "core/program_info.h"

#include <cstring>

ProgramInfo programInfo;

namespace {
const char kAuthorName[] = "Keyvane Project";
const char kAuthorMail[] = "support@keyvane.example";
const char kSupportUrl[] = "https://keyvane.example/support/";
const char kNoticeLabel[] = "Copyright (C)";
} // namespace

int splitPath(char* text, int part) {
    long last = findLastPathSeparator(text, "\\");
    switch (part) {
    case DirectoryPart:
        text[last < 0 ? 0 : last] = '\0';
        break;
    case FileNamePart:
        if (last >= 0) {
            const char* name = text + last + 1;
            std::memmove(text, name, std::strlen(name) + 1);
        }
        break;
    default:
        break;
    }
    return 0;
}

int buildProgramInfo(const char* path, ProgramInfo& info, int year) {
    copyText(info.authorName, sizeof info.authorName, kAuthorName);
    formatText(info.noticeText, sizeof info.noticeText, "%s %4d\n %s\n All Rights Reserved.",
               kNoticeLabel, year, kAuthorName);
    copyText(info.authorMail, sizeof info.authorMail, kAuthorMail);
    copyText(info.supportUrl, sizeof info.supportUrl, kSupportUrl);

    // A path that does not fit would name another place: keep none rather than a cut one.
    if (!copyText(info.programFile, sizeof info.programFile, path) ||
        !copyText(info.programDir, sizeof info.programDir, path)) {
        info.programFile[0] = '\0';
        info.programDir[0] = '\0';
    }
    splitPath(info.programDir, DirectoryPart);
    splitPath(info.programFile, FileNamePart);

    return readFileVersion(path, info) == 0 ? 0 : -1;
}
