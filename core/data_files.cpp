#include "core/data_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/app_message.h"
#include "core/file_ops.h"

const char kSaveSetupFailedMessage[] = "設定ファイルの保存に失敗しました";
const char kSaveListFailedMessage[] = "リストファイルの保存に失敗しました";
const char kLoadListFailedMessage[] = "リストファイルの読込みに失敗しました";
const char kUnusableDataFolderMessage[] = "データフォルダ %s を使用できません。";

namespace {
// A data file that exists but could not be read: it may hold entries that a later load (after
// a PIN change, say) would bring back, so no save may overwrite or delete it.
struct UnreadFiles {
    bool list = false;
    bool setup = false;
};
UnreadFiles unread;

// A file written under a temporary name beside its final path. prepare() writes it and puts it
// on the disk; place() puts it in its final place in one step. Unless placed, the temporary file
// goes again with the object.
class TempFile {
public:
    TempFile(const char* tempPath, const char* path) : tempPath_(tempPath), path_(path) {}
    ~TempFile() {
        if (pending_)
            fileSystem().remove(tempPath_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int prepare(const void* bytes, std::size_t size) {
        FileSystem& files = fileSystem();
        std::FILE* file = files.open(tempPath_, "wb");
        if (file == nullptr)
            return -1;
        pending_ = true;
        bool written = files.write(file, bytes, size) && files.flush(file) == 0;
        written = files.close(file) == 0 && written;
        return written ? 0 : -1;
    }
    int place() {
        if (fileSystem().replace(tempPath_, path_) != 0)
            return -1;
        pending_ = false;
        return 0;
    }
    // Leaves the temporary file where it is.
    void keep() { pending_ = false; }

private:
    const char* tempPath_;
    const char* path_;
    bool pending_ = false;
};

// The Setup file's bytes for the current settings.
SetupRecord setupImage() {
    SetupRecord record{};
    copyText(record.storedPin, sizeof record.storedPin, setupRecord.storedPin);
    copyText(record.reservedText, sizeof record.reservedText, setupRecord.reservedText);
    record.autoLogoutOff = setupRecord.autoLogoutOff;
    scrambleSetup(record);
    return record;
}

// The List file's bytes for the current table in one block: header, count, then a scrambled
// copy of the records (the table in memory stays plain). nullptr with the memory message when
// it cannot be had.
unsigned char* listImage(std::size_t& size) {
    int32_t count = entryTable.count;
    size = kListHeaderSize + static_cast<std::size_t>(count) * sizeof(EntryRecord);
    auto* image = static_cast<unsigned char*>(std::malloc(size));
    if (image == nullptr) {
        appMessageBox(kMemoryErrorMessage, kMbOk);
        return nullptr;
    }
    // The header: the stored PIN, scrambled and zero-padded, as the Setup file stores it.
    char header[sizeof setupRecord.storedPin] = {};
    copyText(header, sizeof header, setupRecord.storedPin);
    scrambleText(header, sizeof header);
    std::memcpy(image, header, sizeof header);
    std::memcpy(image + sizeof header, &count, sizeof count);
    auto* records = reinterpret_cast<EntryRecord*>(image + kListHeaderSize);
    for (int32_t i = 0; i < count; ++i)
        scrambledCopy(records[i], entryTable.records[i]);
    return image;
}

// Writes the List file's bytes for the current table to its temporary file; 0 / -1.
int prepareList(TempFile& list) {
    std::size_t size = 0;
    unsigned char* image = listImage(size);
    if (image == nullptr)
        return -1;
    int result = list.prepare(image, size);
    std::free(image);
    return result;
}

// Moves a file that could not be read out of the way, beside itself; keptName gets its new name.
int keepUnreadFile(const char* path, char (&keptName)[64]) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    const std::tm* converted = std::localtime(&now);
    if (converted != nullptr)
        local = *converted;
    char stamp[32];
    formatText(stamp, sizeof stamp, ".unread-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
               local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    for (int copy = 1; copy <= kMaxKeptCopies; ++copy) {
        HeapText kept;
        if (!composeKeptPath(kept, path, stamp, copy))
            return -1;
        if (fileSystem().exists(kept))
            continue;
        if (fileSystem().rename(path, kept) != 0)
            return -1;
        copyText(keptName, sizeof keptName, kept + findLastPathSeparator(kept, kPathSeparator) + 1);
        return 0;
    }
    return -1;
}

// Before a save replaces or deletes a file that was not read, that file goes aside, and the
// user is told where. kind is the file's name in the message ("リスト", "設定").
int keepIfUnread(bool& unreadFlag, const char* path, const char* kind) {
    char kept[64]; // "Setup.unread-<date>-<time>-99" at most
    if (unreadFlag && fileSystem().exists(path)) {
        if (keepUnreadFile(path, kept) != 0)
            return -1;
        char text[128]; // the name is ASCII, so the text fits whole
        formatText(text, sizeof text, "読み込めなかった%sファイルを %s として残しました。", kind,
                   kept);
        appMessageBox(text, kMbOk);
    }
    unreadFlag = false;
    return 0;
}

int keepListIfUnread() {
    return keepIfUnread(unread.list, dataPaths.listPath, "リスト");
}

int keepSetupIfUnread() {
    return keepIfUnread(unread.setup, dataPaths.setupPath, "設定");
}

// A PIN change moves the old List to its backup name, puts the new List in place and then the
// new Setup (see saveSettingsAndList). Found at start-up, the backup means it was cut short:
// while the new Setup is still a temporary file it was not done and is undone, else only the
// backup is left to remove. Either way the two files agree again. False when that could not be
// done: the pair may then disagree, so this run must not save anything.
bool resolveInterruptedCommit() {
    FileSystem& files = fileSystem();
    if (files.exists(dataPaths.listBackupPath)) {
        int resolved = files.exists(dataPaths.setupTempPath)
                           ? files.replace(dataPaths.listBackupPath, dataPaths.listPath)
                           : files.remove(dataPaths.listBackupPath);
        if (resolved != 0)
            return false;
    }
    // Temporary files of saves that were cut short: a List one holds every credential.
    files.remove(dataPaths.listTempPath);
    files.remove(dataPaths.setupTempPath);
    return true;
}

int showFailure(const char* message) {
    appMessageBox(message, kMbOk);
    return -1;
}

// Tells the user at start-up that the Data folder beside the program cannot be used, rather
// than let the program look brand new.
void reportUnusableDataFolder(const char* programDirectory) {
    char text[128]; // the message box shows 127 bytes
    const std::size_t shownPathBytes =
        sizeof text - 1 - (std::strlen(kUnusableDataFolderMessage) - std::strlen("%s"));
    HeapText folder, shown;
    if (!folder.format("%s%sData", programDirectory, kPathSeparator) ||
        !fileSystem().describe(folder, shown))
        shown.format("Data");
    if (shown.data() != nullptr)
        shortenMiddle(shown.data(), shownPathBytes);
    formatText(text, sizeof text, kUnusableDataFolderMessage, shown.get());
    appMessageBox(text, kMbOk);
}

// Reading and writing the files, 0 / -1 with no failure message (only moving an unreadable file
// aside is reported): the public operations below add the messages.

// The header's count, or -1 when the header cannot be read or is not the login's: entries saved
// under another PIN are never loaded, and the count must be one the file can back (a partial
// last record counts) before anything is allocated for it.
int32_t readListCount(FileSystem& files, std::FILE* file) {
    unsigned char start[kListHeaderSize] = {}; // a short file leaves the missing bytes zero
    std::fread(start, 1, sizeof start, file);
    char header[sizeof loginPin];
    std::memcpy(header, start, sizeof header);
    header[sizeof header - 1] = '\0';
    scrambleText(header, sizeof header);
    int32_t count;
    std::memcpy(&count, start + sizeof header, sizeof count);

    long long size = files.size(file);
    long long available = size > static_cast<long long>(kListHeaderSize)
                              ? (size - static_cast<long long>(kListHeaderSize) +
                                 static_cast<long long>(sizeof(EntryRecord)) - 1) /
                                    static_cast<long long>(sizeof(EntryRecord))
                              : 0;
    bool ours = std::ferror(file) == 0 && std::strncmp(header, loginPin, sizeof loginPin) == 0;
    return ours && count >= 0 && count <= available ? count : -1;
}

// count records, unscrambled and terminated, a short last one filled with zeros; nullptr when
// they cannot be read.
EntryRecord* readListRecords(std::FILE* file, int32_t count) {
    std::size_t bytes = static_cast<std::size_t>(count) * sizeof(EntryRecord);
    auto* block = static_cast<EntryRecord*>(std::malloc(bytes));
    if (block == nullptr)
        return nullptr;
    std::size_t got = std::fread(block, 1, bytes, file);
    if (std::ferror(file) != 0) {
        std::free(block);
        return nullptr;
    }
    std::memset(reinterpret_cast<char*>(block) + got, 0, bytes - got);
    for (int32_t i = 0; i < count; ++i) {
        terminateEntryTexts(block[i]);
        scrambleEntry(block[i]);
    }
    return block;
}

// A missing List file is success with the table unchanged.
int readListFile() {
    if (dataPaths.listPath.empty())
        return -1;
    FileSystem& files = fileSystem();
    unread.list = false;
    if (!files.exists(dataPaths.listPath))
        return 0; // no List file: nothing was ever saved
    clearEntries();
    unread.list = true; // until it has been read whole

    std::FILE* file = files.open(dataPaths.listPath, "rb");
    if (file == nullptr)
        return -1;
    int32_t count = readListCount(files, file);
    EntryRecord* records = count > 0 ? readListRecords(file, count) : nullptr;
    files.close(file);
    if (count < 0 || (count > 0 && records == nullptr))
        return -1;
    entryTable.records = records;
    entryTable.count = count;
    sortEntries();
    unread.list = false;
    return 0;
}

// An empty table deletes the List file.
int writeListFile() {
    if (dataPaths.listPath.empty() || keepListIfUnread() != 0)
        return -1;
    FileSystem& files = fileSystem();
    if (entryTable.count <= 0) { // no entries, no List file
        return !files.exists(dataPaths.listPath) || files.remove(dataPaths.listPath) == 0 ? 0 : -1;
    }
    TempFile list(dataPaths.listTempPath, dataPaths.listPath);
    return prepareList(list) == 0 && list.place() == 0 ? 0 : -1;
}

// The commit of saveSettingsAndList, once unread files are out of the way. Sets stuck when a
// failure left the old List under its backup name: the Setup temporary file then stays too, for
// start-up to undo the change from.
int commitPair(bool& stuck) {
    FileSystem& files = fileSystem();
    bool hasEntries = entryTable.count > 0;
    TempFile list(dataPaths.listTempPath, dataPaths.listPath);
    if (hasEntries && prepareList(list) != 0)
        return showFailure(kSaveListFailedMessage);
    TempFile setup(dataPaths.setupTempPath, dataPaths.setupPath);
    SetupRecord record = setupImage();
    if (setup.prepare(&record, sizeof record) != 0)
        return showFailure(kSaveSetupFailedMessage);

    // Without an old List there is nothing on the disk to lose: Setup goes first, and if the
    // List does not follow, no List agrees with any PIN. The new settings are then saved.
    if (!files.exists(dataPaths.listPath)) {
        if (setup.place() != 0)
            return showFailure(kSaveSetupFailedMessage);
        if (hasEntries && list.place() != 0)
            showFailure(kSaveListFailedMessage);
        return 0;
    }

    if (files.replace(dataPaths.listPath, dataPaths.listBackupPath) != 0)
        return showFailure(kSaveListFailedMessage);
    bool listPlaced = !hasEntries || list.place() == 0;
    if (listPlaced && setup.place() == 0) {
        files.remove(dataPaths.listBackupPath); // should it stay, start-up removes it
        return 0;
    }
    stuck = files.replace(dataPaths.listBackupPath, dataPaths.listPath) != 0;
    if (stuck)
        setup.keep();
    return showFailure(listPlaced ? kSaveSetupFailedMessage : kSaveListFailedMessage);
}
} // namespace

void initDataStore(const char* programDirectory) {
    std::memset(loginPin, 0, sizeof loginPin);
    clearSetup();
    clearEntries(); // empty at start-up; a second call must not leak
    unread = UnreadFiles{};

    loginState = LoginState::Unset;

    if (!composeDataPaths(programDirectory)) {
        reportUnusableDataFolder(programDirectory);
    } else {
        makeDirectoryTree(dataPaths.dataDir);
        fileSystem().keepPrivate(dataPaths.dataDir); // new, or found open to others
        if (!resolveInterruptedCommit())
            refuseDataPaths();
    }

    loadSettings();
}

void shutdownDataStore() {
    clearSetup();
    clearEntries();
}

int loadSettings() {
    if (dataPaths.setupPath.empty())
        return -1;
    FileSystem& files = fileSystem();
    unread.setup = false;
    if (!files.exists(dataPaths.setupPath))
        return -1;
    unread.setup = true; // until it has been read
    std::FILE* file = files.open(dataPaths.setupPath, "rb");
    if (file == nullptr)
        return -1;
    SetupRecord record{}; // a short file leaves the missing bytes zero
    std::fread(&record, 1, sizeof record, file);
    bool failed = std::ferror(file) != 0;
    files.close(file);
    if (failed)
        return -1;
    unread.setup = false;

    clearSetup();
    terminateSetupTexts(record);
    scrambleSetup(record);
    copyText(setupRecord.storedPin, sizeof setupRecord.storedPin, record.storedPin);
    copyText(setupRecord.reservedText, sizeof setupRecord.reservedText, record.reservedText);
    setupRecord.autoLogoutOff = record.autoLogoutOff;
    return 0;
}

int saveSettings() {
    if (dataPaths.setupPath.empty() || keepSetupIfUnread() != 0)
        return showFailure(kSaveSetupFailedMessage);
    SetupRecord record = setupImage();
    TempFile setup(dataPaths.setupTempPath, dataPaths.setupPath);
    bool saved = setup.prepare(&record, sizeof record) == 0 && setup.place() == 0;
    return saved ? 0 : showFailure(kSaveSetupFailedMessage);
}

int loadEntryList() {
    int result = readListFile();
    if (result != 0 && pinIsStored())
        appMessageBox(kLoadListFailedMessage, kMbOk);
    return result;
}

int saveEntryList() {
    return writeListFile() == 0 ? 0 : showFailure(kSaveListFailedMessage);
}

// Both temporary files are written and on the disk before anything is replaced. Then the old
// List steps aside to its backup name, the new List takes its place, and the new Setup takes
// Setup's; only then does the backup go. A failure on the way puts the old List back (a rename,
// which needs no free space); a crash on the way is resolved at the next start-up.
int saveSettingsAndList() {
    // An unread List may be one saved under the PIN now being set (after the Setup file was
    // lost): read it again, so that its entries come back rather than go aside.
    bool reloaded = unread.list && readListFile() == 0;
    bool stuck = false;
    int result = -1;
    if (dataPaths.setupPath.empty())
        showFailure(kSaveSetupFailedMessage);
    else if (keepListIfUnread() != 0)
        showFailure(kSaveListFailedMessage);
    else if (keepSetupIfUnread() != 0)
        showFailure(kSaveSetupFailedMessage);
    else
        result = commitPair(stuck);
    if (stuck) // start-up will undo the change: until then this run saves nothing more
        refuseDataPaths();
    if (result != 0 && reloaded) { // still on the disk under another PIN than the one kept
        clearEntries();
        unread.list = true;
    }
    return result;
}
