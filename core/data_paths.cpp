#include "core/data_paths.h"

#include "core/file_ops.h"

DataPaths dataPaths;

namespace {
const char kListName[] = "List";
const char kSetupName[] = "Setup";
const char kTempSuffix[] = ".tmp";
const char kBackupSuffix[] = ".old";
const char kLongestKeptStamp[] = ".unread-20000101-000000";

bool composePath(HeapText& path, const char* directory, const char* name, const char* suffix = "") {
    return directory[0] != '\0' && path.format("%s%s%s%s", directory, kPathSeparator, name, suffix);
}
} // namespace

bool composeDataPaths(const char* programDirectory) {
    DataPaths& p = dataPaths;
    HeapText longestKept;
    bool formed = composePath(p.dataDir, programDirectory, "Data") &&
                  composePath(p.listPath, p.dataDir, kListName) &&
                  composePath(p.setupPath, p.dataDir, kSetupName) &&
                  composePath(p.listTempPath, p.dataDir, kListName, kTempSuffix) &&
                  composePath(p.setupTempPath, p.dataDir, kSetupName, kTempSuffix) &&
                  composePath(p.listBackupPath, p.dataDir, kListName, kBackupSuffix) &&
                  composeKeptPath(longestKept, p.setupPath, kLongestKeptStamp, kMaxKeptCopies);
    if (formed && fileSystem().canName(longestKept))
        return true;
    refuseDataPaths();
    return false;
}

void refuseDataPaths() {
    dataPaths = DataPaths{};
}

bool composeKeptPath(HeapText& kept, const char* path, const char* stamp, int copy) {
    return copy == 1 ? kept.format("%s%s", path, stamp) : kept.format("%s%s-%d", path, stamp, copy);
}

int makeDirectoryTree(const char* path) {
    HeapText work;
    if (path[0] == '\0' || !work.format("%s%s", path, kPathSeparator))
        return -1;
    FileSystem& files = fileSystem();
    if (files.exists(path))
        return 0;
    for (char* p = work.data(); *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') { // paths are UTF-8: such a byte is always a separator
            char separator = *p;
            *p = '\0';
            files.createDirectory(work); // fails harmlessly for "", "C:" and existing parents
            *p = separator;
        }
    }
    return files.exists(path) ? 0 : -1;
}
