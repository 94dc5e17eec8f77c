#include "fuzz/fuzz_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <tuple>
#include <unistd.h>

#include "core/data_files.h"

namespace {
char programDir[64];

int removeOne(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

void removeProgramDir() {
    shutdownDataStore();
    nftw(programDir, removeOne, 8, FTW_DEPTH | FTW_PHYS);
}

bool terminatedInside(const char* field, std::size_t size) {
    return std::memchr(field, '\0', size) != nullptr;
}

auto fields(const EntryTexts& e) {
    return std::tie(e.lastUsed, e.name, e.id, e.password, e.url, e.reserved);
}
} // namespace

void setUpFuzzStore() {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::snprintf(programDir, sizeof programDir, "%s/keyvane-fuzz-XXXXXX", base);
    if (mkdtemp(programDir) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    std::atexit(removeProgramDir);
    initDataStore(programDir);
    if (dataPaths.listPath[0] == '\0' || dataPaths.setupPath[0] == '\0') {
        std::fprintf(stderr, "no Data directory under %s\n", programDir);
        std::abort();
    }
}

void writeWholeFile(const char* path, const uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    bool written = file != nullptr && std::fwrite(data, 1, size, file) == size;
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::perror(path);
        std::abort();
    }
}

std::vector<uint8_t> readWholeFile(const char* path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return bytes;
    uint8_t chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

bool fileExists(const char* path) {
    return access(path, F_OK) == 0;
}

void fuzzFailure(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    removeProgramDir(); // abort() skips the atexit handler
    std::abort();
}

std::string unscrambledField(const uint8_t* field, std::size_t fieldSize) {
    std::string text;
    for (std::size_t i = 0; i + 1 < fieldSize && field[i] != 0; ++i) {
        auto plain = static_cast<char>(field[i] ^ 0x05);
        if (plain == '\0')
            break;
        text.push_back(plain);
    }
    return text;
}

void checkTable() {
    FUZZ_CHECK(entryTable.count >= 0);
    FUZZ_CHECK((entryTable.records != nullptr) == (entryTable.count > 0));
    for (int32_t i = 0; i < entryTable.count; ++i) {
        const EntryRecord& r = entryTable.records[i];
        FUZZ_CHECK(terminatedInside(r.name, sizeof r.name));
        FUZZ_CHECK(terminatedInside(r.id, sizeof r.id));
        FUZZ_CHECK(terminatedInside(r.password, sizeof r.password));
        FUZZ_CHECK(terminatedInside(r.url, sizeof r.url));
        FUZZ_CHECK(terminatedInside(r.reservedText, sizeof r.reservedText));
        if (i == 0)
            continue;
        const EntryRecord& before = entryTable.records[i - 1];
        FUZZ_CHECK(before.lastUsed >= r.lastUsed);
        FUZZ_CHECK(before.lastUsed != r.lastUsed || std::strcmp(before.name, r.name) <= 0);
    }
}

void checkSetup() {
    FUZZ_CHECK(terminatedInside(setupRecord.storedPin, sizeof setupRecord.storedPin));
    FUZZ_CHECK(terminatedInside(setupRecord.reservedText, sizeof setupRecord.reservedText));
}

bool EntryTexts::operator<(const EntryTexts& other) const {
    return fields(*this) < fields(other);
}
bool EntryTexts::operator==(const EntryTexts& other) const {
    return fields(*this) == fields(other);
}

std::vector<EntryTexts> tableContents() {
    std::vector<EntryTexts> contents;
    for (int32_t i = 0; i < entryTable.count; ++i) {
        const EntryRecord& r = entryTable.records[i];
        contents.push_back({r.name, r.id, r.password, r.url, r.reservedText, r.lastUsed});
    }
    std::sort(contents.begin(), contents.end());
    return contents;
}
