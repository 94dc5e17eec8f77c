#include "core/entry_store.h"

#include <cstdlib>
#include <cstring>

#include "core/app_message.h"
#include "core/text.h"

EntryTable entryTable = {nullptr, 0};
SetupRecord setupRecord;
char loginPin[sizeof SetupRecord::storedPin];
LoginState loginState = LoginState::Unset;

const char kMemoryErrorMessage[] = "メモリエラーが発生しました！";

namespace {
constexpr unsigned char kScrambleMask = 0x05;

int compareEntries(const void* left, const void* right) {
    const auto* a = static_cast<const EntryRecord*>(left);
    const auto* b = static_cast<const EntryRecord*>(right);
    if (a->lastUsed != b->lastUsed)
        return a->lastUsed > b->lastUsed ? -1 : 1;
    return std::strcmp(a->name, b->name);
}

EntryRecord* allocateRecords(int32_t count) {
    return static_cast<EntryRecord*>(
        std::calloc(static_cast<std::size_t>(count), sizeof(EntryRecord)));
}
} // namespace

void scrambleText(char* text, std::size_t fieldSize) {
    for (std::size_t i = 0; i < fieldSize && text[i] != '\0'; ++i)
        text[i] = static_cast<char>(static_cast<unsigned char>(text[i]) ^ kScrambleMask);
}

void scrambleEntry(EntryRecord& record) {
    scrambleText(record.name, sizeof record.name);
    scrambleText(record.id, sizeof record.id);
    scrambleText(record.password, sizeof record.password);
    scrambleText(record.url, sizeof record.url);
    scrambleText(record.reservedText, sizeof record.reservedText);
}

void scrambledCopy(EntryRecord& to, const EntryRecord& from) {
    std::memset(&to, 0, sizeof to);
    auto scrambleInto = [](char* target, const char* source, std::size_t size) {
        for (std::size_t i = 0; i + 1 < size && source[i] != '\0'; ++i)
            target[i] = static_cast<char>(static_cast<unsigned char>(source[i]) ^ kScrambleMask);
    };
    scrambleInto(to.name, from.name, sizeof to.name);
    scrambleInto(to.id, from.id, sizeof to.id);
    scrambleInto(to.password, from.password, sizeof to.password);
    scrambleInto(to.url, from.url, sizeof to.url);
    scrambleInto(to.reservedText, from.reservedText, sizeof to.reservedText);
    to.lastUsed = from.lastUsed;
}

void scrambleSetup(SetupRecord& record) {
    scrambleText(record.storedPin, sizeof record.storedPin);
    scrambleText(record.reservedText, sizeof record.reservedText);
}

void terminateEntryTexts(EntryRecord& record) {
    record.name[sizeof record.name - 1] = '\0';
    record.id[sizeof record.id - 1] = '\0';
    record.password[sizeof record.password - 1] = '\0';
    record.url[sizeof record.url - 1] = '\0';
    record.reservedText[sizeof record.reservedText - 1] = '\0';
}

void terminateSetupTexts(SetupRecord& record) {
    record.storedPin[sizeof record.storedPin - 1] = '\0';
    record.reservedText[sizeof record.reservedText - 1] = '\0';
}

bool isPin(const char* text) {
    for (std::size_t i = 0; i < kPinLength; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return text[kPinLength] == '\0';
}

bool pinIsStored() {
    return isPin(setupRecord.storedPin);
}

void clearSetup() {
    std::memset(&setupRecord, 0, sizeof setupRecord);
}

void clearEntries() {
    std::free(entryTable.records);
    entryTable.records = nullptr;
    entryTable.count = 0;
}

void sortEntries() {
    if (entryTable.records == nullptr)
        return;
    std::qsort(entryTable.records, static_cast<std::size_t>(entryTable.count), sizeof(EntryRecord),
               compareEntries);
}

int addEntry(const char* name, const char* id, const char* password, const char* url) {
    int32_t count = entryTable.count;
    EntryRecord* block = allocateRecords(count + 1);
    if (block == nullptr) {
        appMessageBox(kMemoryErrorMessage, kMbOk);
        return -1;
    }
    if (count > 0)
        std::memcpy(block, entryTable.records, static_cast<std::size_t>(count) * sizeof *block);
    std::free(entryTable.records);

    EntryRecord& added = block[count]; // zero-filled: never used, empty reserved text
    copyText(added.name, sizeof added.name, name);
    copyText(added.id, sizeof added.id, id);
    copyText(added.password, sizeof added.password, password);
    copyText(added.url, sizeof added.url, url);

    entryTable.records = block;
    entryTable.count = count + 1;
    sortEntries();
    return 0;
}

int overwriteEntry(int index, const char* id, const char* password, const char* url) {
    if (index < 0 || index >= entryTable.count)
        return -1;
    EntryRecord& entry = entryTable.records[index];
    copyText(entry.id, sizeof entry.id, id);
    copyText(entry.password, sizeof entry.password, password);
    copyText(entry.url, sizeof entry.url, url);
    entry.lastUsed = 0;
    return 0;
}

int removeEntry(int index) {
    int32_t count = entryTable.count;
    if (index < 0 || index >= count)
        return -1;
    if (count == 1) {
        clearEntries();
        return 0;
    }
    EntryRecord* block = allocateRecords(count - 1);
    if (block == nullptr) {
        appMessageBox(kMemoryErrorMessage, kMbOk);
        return -1;
    }
    auto before = static_cast<std::size_t>(index);
    auto after = static_cast<std::size_t>(count - index - 1);
    std::memcpy(block, entryTable.records, before * sizeof *block);
    std::memcpy(block + before, entryTable.records + before + 1, after * sizeof *block);
    std::free(entryTable.records);
    entryTable.records = block;
    entryTable.count = count - 1;
    return 0;
}
