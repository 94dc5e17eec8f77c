// The Data directory beside the program and its two scrambled files:
//   Setup  one SetupRecord (264 bytes) with its two texts scrambled
//   List   8-byte header (the stored PIN, scrambled and zero-padded), a 32-bit count, then
//          count EntryRecords with their five texts scrambled; no List file when the table is
//          empty.
// Every save writes a temporary file, flushes it to the disk and then replaces the old file in
// one step, so a failed save leaves the previous file as it was. A file that exists but could
// not be read is never overwritten or deleted: the first save that would do so moves it aside.
#pragma once

#include <cstddef>

#include "core/data_paths.h"
#include "core/entry_store.h"

constexpr std::size_t kListHeaderSize = 12; // stored PIN (8) and count (4)

// Start-up: forgets the login, clears the settings and the table, derives the paths from the
// program directory, creates the Data directory and keeps it closed to other accounts
// (FileSystem::keepPrivate), finishes or undoes a PIN change that was cut short, removes
// leftover temporary files and loads the Setup file (silently). When the paths cannot be formed
// the user is told, once, which folder cannot be used; every load and save then fails.
void initDataStore(const char* programDirectory);

// Shutdown: clears the settings and frees the table. Nothing is written.
void shutdownDataStore();

// Loading and saving: 0 for success, -1 for failure, each failure shown with its message.
int loadSettings(); // silent: a missing or unreadable Setup file simply means no PIN
int saveSettings(); // "設定ファイルの保存に失敗しました"
// A missing List file is success with the table unchanged; "リストファイルの読込みに失敗しました"
// only while a PIN is stored.
int loadEntryList();
int saveEntryList(); // "リストファイルの保存に失敗しました"; an empty table deletes the file

// Writes the settings and the List together, as one commit, so that the PIN in Setup and in the
// List header always agree on the disk. A List file that could not be read is first read again
// under the PIN being saved. 0: Setup holds the new settings (and the List its new header; only
// where no List file existed can the List save alone fail, with its message). -1: both files
// and the table are as they were; the save message of the file that failed was shown.
int saveSettingsAndList();

extern const char kSaveSetupFailedMessage[];
extern const char kSaveListFailedMessage[];
extern const char kLoadListFailedMessage[];
extern const char kUnusableDataFolderMessage[]; // a printf format: the folder
