// Facts about the running program: where its file lies, its file version and the fixed
// contact texts. Filled once at start-up, read-only afterwards.
#pragma once

#include <cstdint>

#include "core/text.h"

// The product's name: window titles, the message box caption, the mail subject.
inline constexpr char kProductName[] = "Keyvane";

struct ProgramInfo {
    int32_t fileVersion[4]; // most significant part first; all 0 when unreadable
    // Paths in UTF-8, so that any folder name survives whatever the system's code page, and of
    // any length; the other texts are Shift-JIS.
    HeapText modulePath;
    HeapText programDir;  // modulePath before its last backslash
    HeapText programFile; // modulePath after its last backslash
    char authorName[64];
    char authorMail[64];
    char supportUrl[64];
    char noticeText[64];
};

extern ProgramInfo programInfo;

// The year written into the rights notice.
constexpr int kNoticeYear = 2026;

// The two halves of a path at its last backslash.
enum PathPart { DirectoryPart, FileNamePart };

// Fills every field of info except modulePath from path. Returns 0, or -1 when the version
// could not be read (everything else is filled all the same).
int buildProgramInfo(const char* path, ProgramInfo& info, int year);

// Fills info.fileVersion from the version resource of the file at path; 0 / -1.
int readFileVersion(const char* path, ProgramInfo& info);

// Cuts the UTF-8 path text in place to the part before (DirectoryPart) or after (FileNamePart)
// its last backslash. Always returns 0.
int splitPath(char* text, PathPart part);
