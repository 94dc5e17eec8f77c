// What the data-file fuzzers share: one private Data directory per process, whole-file access,
// and the checks that every loaded table and settings record must pass whatever the file held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/entry_store.h"

// Runs initDataStore once on a fresh program directory (RAM-backed when /dev/shm exists, so
// that writing a file per input stays cheap); the directory goes again when the process exits.
void setUpFuzzStore();

void writeWholeFile(const char* path, const uint8_t* data, std::size_t size);
std::vector<uint8_t> readWholeFile(const char* path);
bool fileExists(const char* path);

// Ends the run with a message; libFuzzer keeps the input as a crash artifact.
[[noreturn]] void fuzzFailure(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : fuzzFailure(#condition, __FILE__, __LINE__))

// The texts of a file field as the loader must read them: the bytes up to the first zero within
// the first fieldSize - 1 bytes, each XOR 0x05, up to the first byte that turns into a NUL.
std::string unscrambledField(const uint8_t* field, std::size_t fieldSize);

// count >= 0; a block exactly when count > 0; every text ends inside its field; the table is
// in sortEntries order (most recent lastUsed first, then names in strcmp order).
void checkTable();
// Both texts end inside their fields.
void checkSetup();

// An entry by its texts (up to their NULs) and lastUsed: what a save and a load must keep.
struct EntryTexts {
    std::string name, id, password, url, reserved;
    int32_t lastUsed;
    bool operator<(const EntryTexts& other) const;
    bool operator==(const EntryTexts& other) const;
};
// The table's entries, sorted on all their fields so that entries sortEntries ranks equal
// compare in a fixed order.
std::vector<EntryTexts> tableContents();
