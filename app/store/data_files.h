// The Data directory beside the program and its two scrambled files:
//   Setup  one SetupRecord (264 bytes) with its two texts scrambled
//   List   8-byte header (the stored PIN, scrambled and zero-padded), a 32-bit count, then
//          count EntryRecords with their five texts scrambled; no List file when the table is
//          empty.
// Every save writes a temporary file, flushes it to the disk and then replaces the old file in
// one step, so a failed save leaves the previous file as it was.
#pragma once

#include <cstdint>

#include "entry_store.h"
#include "text.h"

struct DataPaths {
    char dataDir[kMaxPathBytes];
    char listPath[kMaxPathBytes];
    char setupPath[kMaxPathBytes];
};

// Empty texts when the program directory leaves no room for them: every load and save then fails.
extern DataPaths dataPaths;

constexpr std::size_t kListHeaderSize = 12; // stored PIN (8) and count (4)

// Start-up: forgets the login, clears the settings and the table, derives the paths from the
// program directory, creates the Data directory and loads the Setup file (silently).
void initDataStore(const char* programDirectory);

// Shutdown: clears the settings and frees the table. Nothing is written.
void shutdownDataStore();

// Raw operations: 0 for success, -1 for failure; they show no message.
int loadSetup();
int saveSetup();
int loadList(); // a missing List file is success with the table unchanged
int saveList(); // an empty table deletes the List file

// Creates a directory and its missing parents; 0 when it exists afterwards.
int makeDirectoryTree(const char* path);

// The storedPin is a complete four-digit PIN.
bool pinIsStored();

// What the rest of the program calls: the raw operations with their failure messages.
int loadSettings(); // silent: no Setup file simply means no PIN
int saveSettings(); // "設定ファイルの保存に失敗しました"
int loadEntryList(); // "リストファイルの読込みに失敗しました", only while a PIN is stored
int saveEntryList(); // "リストファイルの保存に失敗しました"

extern const char kSaveSetupFailedMessage[];
extern const char kSaveListFailedMessage[];
extern const char kLoadListFailedMessage[];
