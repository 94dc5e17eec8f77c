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
// A file written beside its final path and put in its place only once it is complete and on the
// disk. Whatever fails leaves the old file untouched and no temporary file behind.
class AtomicFile {
public:
    explicit AtomicFile(const char* path) : path_(path) {
        if (formatText(tempPath_, sizeof tempPath_, "%s.tmp", path))
            file_ = std::fopen(tempPath_, "wb");
    }
    ~AtomicFile() {
        if (file_ != nullptr) {
            std::fclose(file_);
            deleteFile(tempPath_);
        }
    }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const void* bytes, std::size_t size) {
        ok_ = ok_ && file_ != nullptr && std::fwrite(bytes, 1, size, file_) == size;
    }
    int commit() {
        if (file_ == nullptr)
            return -1;
        bool written = ok_ && flushToDisk(file_) == 0;
        written = std::fclose(file_) == 0 && written;
        file_ = nullptr;
        if (written && replaceFile(tempPath_, path_) == 0)
            return 0;
        deleteFile(tempPath_);
        return -1;
    }

private:
    const char* path_;
    char tempPath_[kMaxPathBytes] = "";
    std::FILE* file_ = nullptr;
    bool ok_ = true;
};

// The first bytes of a Setup-file record built from the current settings.
void buildListHeader(char (&header)[8]) {
    std::memset(header, 0, sizeof header);
    copyText(header, sizeof header, setupRecord.storedPin);
    scrambleText(header, sizeof header);
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
    clearEntries(); // empty at start-up; a second call must not leak

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
    AtomicFile file(dataPaths.setupPath);
    file.write(&record, sizeof record);
    return file.commit();
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
    if (std::strncmp(header, loginPin, sizeof loginPin) != 0 || count < 0 || count > available) {
        std::fclose(file);
        return -1;
    }
    if (count == 0) {
        std::fclose(file);
        return 0;
    }
    std::size_t bytes = static_cast<std::size_t>(count) * sizeof(EntryRecord);
    auto* block = static_cast<EntryRecord*>(std::malloc(bytes));
    if (block == nullptr) {
        std::fclose(file);
        return -1;
    }
    std::size_t got = std::fread(block, 1, bytes, file);
    std::fclose(file);
    std::memset(reinterpret_cast<char*>(block) + got, 0, bytes - got); // a short last record

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

    // The whole file in one block and one write: header, count, then a scrambled copy of the
    // table (the table in memory stays plain).
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
    for (int32_t i = 0; i < count; ++i)
        scrambledCopy(records[i], entryTable.records[i]);

    AtomicFile file(dataPaths.listPath);
    file.write(image, size);
    std::free(image);
    return file.commit();
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
