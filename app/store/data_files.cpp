#include "data_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app_message.h"
#include "file_ops.h"

DataPaths dataPaths;

const char kSaveSetupFailedMessage[] = "設定ファイルの保存に失敗しました";
const char kSaveListFailedMessage[] = "リストファイルの保存に失敗しました";
const char kLoadListFailedMessage[] = "リストファイルの読込みに失敗しました";

namespace {
// Writes a complete file beside path, pushes it to the disk and only then puts it in place of
// path. Any failure leaves the old file untouched and no temporary file behind.
int writeFileAtomically(const char* path, const void* bytes, std::size_t size) {
    char tempPath[kMaxPathBytes];
    if (!formatText(tempPath, sizeof tempPath, "%s.tmp", path))
        return -1;
    std::FILE* file = std::fopen(tempPath, "wb");
    if (file == nullptr)
        return -1;
    bool written = std::fwrite(bytes, 1, size, file) == size && flushToDisk(file) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && replaceFile(tempPath, path) == 0)
        return 0;
    deleteFile(tempPath);
    return -1;
}

// The first bytes of a Setup-file record built from the current settings.
void buildListHeader(char (&header)[8]) {
    std::memset(header, 0, sizeof header);
    copyText(header, sizeof header, setupRecord.storedPin);
    scrambleText(header, sizeof header);
}

// Copies the texts of one record up to their NULs into a zeroed record, so a file never carries
// stale bytes after a text.
void copyEntryTexts(EntryRecord& to, const EntryRecord& from) {
    std::memset(&to, 0, sizeof to);
    copyText(to.name, sizeof to.name, from.name);
    copyText(to.id, sizeof to.id, from.id);
    copyText(to.password, sizeof to.password, from.password);
    copyText(to.url, sizeof to.url, from.url);
    copyText(to.reservedText, sizeof to.reservedText, from.reservedText);
    to.lastUsed = from.lastUsed;
}

void composePath(char (&path)[kMaxPathBytes], const char* directory, const char* name) {
    if (directory[0] == '\0' ||
        !formatText(path, sizeof path, "%s%s%s", directory, kPathSeparator, name))
        path[0] = '\0';
}
} // namespace

bool pinIsStored() {
    return std::strlen(setupRecord.storedPin) == 4;
}

int makeDirectoryTree(const char* path) {
    char work[512];
    if (path[0] == '\0' || !copyText(work, sizeof work - 1, path))
        return -1;
    if (pathExists(work))
        return 0;
    std::strcat(work, kPathSeparator); // room kept by the copy above
    for (char* p = work; *p != '\0'; ++p) {
        if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p; // a second byte of 0x5C is part of the character, not a separator
            continue;
        }
        if (*p == '\\' || *p == '/') {
            char separator = *p;
            *p = '\0';
            createDirectory(work); // fails harmlessly for "", "C:" and existing parents
            *p = separator;
        }
    }
    return pathExists(path) ? 0 : -1;
}

void initDataStore(const char* programDirectory) {
    std::memset(loginPin, 0, sizeof loginPin);
    clearSetup();
    entryTable.records = nullptr; // nothing to free: the table is empty at start-up
    entryTable.count = 0;
    loginState = LoginState::Unset;

    composePath(dataPaths.dataDir, programDirectory, "Data");
    makeDirectoryTree(dataPaths.dataDir);
    composePath(dataPaths.listPath, dataPaths.dataDir, "List");
    composePath(dataPaths.setupPath, dataPaths.dataDir, "Setup");

    loadSettings();
}

void shutdownDataStore() {
    clearSetup();
    clearEntries();
}

int loadSetup() {
    if (dataPaths.setupPath[0] == '\0')
        return -1;
    std::FILE* file = std::fopen(dataPaths.setupPath, "rb");
    if (file == nullptr)
        return -1;
    clearSetup();
    SetupRecord record{}; // a short file leaves the missing bytes zero
    std::fread(&record, 1, sizeof record, file);
    std::fclose(file);

    terminateSetupTexts(record);
    scrambleSetup(record);
    copyText(setupRecord.storedPin, sizeof setupRecord.storedPin, record.storedPin);
    copyText(setupRecord.reservedText, sizeof setupRecord.reservedText, record.reservedText);
    setupRecord.autoLogoutOff = record.autoLogoutOff;
    return 0;
}

int saveSetup() {
    if (dataPaths.setupPath[0] == '\0')
        return -1;
    SetupRecord record{};
    copyText(record.storedPin, sizeof record.storedPin, setupRecord.storedPin);
    copyText(record.reservedText, sizeof record.reservedText, setupRecord.reservedText);
    record.autoLogoutOff = setupRecord.autoLogoutOff;
    scrambleSetup(record);
    return writeFileAtomically(dataPaths.setupPath, &record, sizeof record);
}

int loadList() {
    if (dataPaths.listPath[0] == '\0')
        return -1;
    std::FILE* file = std::fopen(dataPaths.listPath, "rb");
    if (file == nullptr)
        return 0; // no List file: nothing was ever saved
    clearEntries();

    unsigned char start[kListHeaderSize] = {}; // a short file leaves the missing bytes zero
    std::fread(start, 1, sizeof start, file);
    char header[8];
    std::memcpy(header, start, sizeof header);
    header[sizeof header - 1] = '\0';
    scrambleText(header, sizeof header);
    int32_t count;
    std::memcpy(&count, start + sizeof header, sizeof count);

    // Entries saved under another PIN are never loaded, and the count must be one the file
    // can back (a partial last record counts) before anything is allocated for it.
    long long size = fileSize(file);
    long long available = size > static_cast<long long>(kListHeaderSize)
                              ? (size - static_cast<long long>(kListHeaderSize) +
                                 static_cast<long long>(sizeof(EntryRecord)) - 1) /
                                    static_cast<long long>(sizeof(EntryRecord))
                              : 0;
    if (std::strcmp(header, loginPin) != 0 || count < 0 || count > available) {
        std::fclose(file);
        return -1;
    }
    if (count == 0) {
        std::fclose(file);
        return 0;
    }
    auto* block = static_cast<EntryRecord*>(
        std::calloc(static_cast<std::size_t>(count), sizeof(EntryRecord)));
    if (block == nullptr) {
        std::fclose(file);
        return -1;
    }
    std::fread(block, sizeof(EntryRecord), static_cast<std::size_t>(count), file);
    std::fclose(file);

    for (int32_t i = 0; i < count; ++i) {
        terminateEntryTexts(block[i]);
        scrambleEntry(block[i]);
    }
    entryTable.records = block;
    entryTable.count = count;
    sortEntries();
    return 0;
}

int saveList() {
    if (dataPaths.listPath[0] == '\0')
        return -1;
    int32_t count = entryTable.count;
    if (count <= 0) {
        deleteFile(dataPaths.listPath); // no entries, no List file
        return 0;
    }

    // The whole file in one block: header, count, then a scrambled copy of the table (the
    // table in memory stays plain).
    std::size_t size = kListHeaderSize + static_cast<std::size_t>(count) * sizeof(EntryRecord);
    auto* image = static_cast<unsigned char*>(std::malloc(size));
    if (image == nullptr) {
        appMessageBox(kMemoryErrorMessage, kMbOk);
        return -1;
    }
    char header[8];
    buildListHeader(header);
    std::memcpy(image, header, sizeof header);
    std::memcpy(image + sizeof header, &count, sizeof count);
    auto* records = reinterpret_cast<EntryRecord*>(image + kListHeaderSize);
    for (int32_t i = 0; i < count; ++i) {
        copyEntryTexts(records[i], entryTable.records[i]);
        scrambleEntry(records[i]);
    }

    int result = writeFileAtomically(dataPaths.listPath, image, size);
    std::free(image);
    return result;
}

int loadSettings() {
    return loadSetup();
}

int saveSettings() {
    int result = saveSetup();
    if (result != 0)
        appMessageBox(kSaveSetupFailedMessage, kMbOk);
    return result;
}

int loadEntryList() {
    int result = loadList();
    if (result != 0 && pinIsStored())
        appMessageBox(kLoadListFailedMessage, kMbOk);
    return result;
}

int saveEntryList() {
    int result = saveList();
    if (result != 0)
        appMessageBox(kSaveListFailedMessage, kMbOk);
    return result;
}
