// Where the store keeps its files: the Data folder beside the program and the names inside it.
// Paths are UTF-8, of any length the system takes, and formed once at start-up: every one or
// none, so that a path that cannot be used never surfaces half-way through a save.
#pragma once

#include "core/text.h"

struct DataPaths {
    HeapText dataDir;
    HeapText listPath;
    HeapText setupPath;
    HeapText listTempPath;
    HeapText setupTempPath;
    HeapText listBackupPath; // the old List while a PIN change is committed
};
extern DataPaths dataPaths;

// A file moved aside is named "<name>.unread-<local time>", with "-2" ... "-99" added when that
// name is taken.
constexpr int kMaxKeptCopies = 99;

// Forms every path from the program directory. False, with every path empty, when one of them
// (up to the longest name a kept file can take) cannot be formed or the system cannot name it.
bool composeDataPaths(const char* programDirectory);
// Forgets every path: every load and save fails from now on.
void refuseDataPaths();

// The name for the copy-th file kept aside from path at the given time stamp.
bool composeKeptPath(HeapText& kept, const char* path, const char* stamp, int copy);

// Creates a directory and its missing parents; 0 when it exists afterwards.
int makeDirectoryTree(const char* path);
