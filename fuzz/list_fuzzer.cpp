// Fuzzes loadEntryList with arbitrary List files. The first input byte chooses how the login PIN
// relates to the file's header, so that most inputs get past the header check into the records;
// the rest of the input is the file. A loaded table is saved and loaded again and must survive.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/data_files.h"
#include "fuzz/fuzz_store.h"

namespace {
// Bits of the first byte.
constexpr uint8_t kPinChoice = 0x03;       // 0 the header's own PIN, 1 none, 2 near miss, 3 digits
constexpr uint8_t kResaveOtherPin = 0x04;  // the settings hold another PIN when saving again
constexpr uint8_t kStaleEntryFirst = 0x08; // a load must replace a table that is not empty

constexpr std::size_t kMaxPin = sizeof loginPin - 1;
constexpr std::size_t kRecordSize = 524; // one entry in the file

// A PIN that differs from pin and still fits.
std::string otherPin(const std::string& pin) {
    return pin.size() < kMaxPin ? pin + "0" : pin.substr(0, pin.size() - 1);
}

std::string choosePin(uint8_t mode, const std::string& header) {
    switch (mode & kPinChoice) {
    case 0:
        return header;
    case 1:
        return "";
    case 2:
        return otherPin(header);
    default:
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", (mode >> 4) * 617u % 10000u);
        return digits;
    }
}

int32_t countField(const uint8_t* file, std::size_t size) {
    uint8_t bytes[4] = {};
    for (std::size_t i = 0; i < 4 && 8 + i < size; ++i)
        bytes[i] = file[8 + i];
    int32_t count;
    std::memcpy(&count, bytes, sizeof count);
    return count;
}

void setPin(char (&target)[8], const std::string& pin) {
    std::memset(target, 0, sizeof target);
    std::memcpy(target, pin.data(), pin.size());
}

// The file a save left behind holds the header of the stored PIN, the count and count records.
void checkSavedFile(int32_t count) {
    std::vector<uint8_t> saved = readWholeFile(dataPaths.listPath);
    FUZZ_CHECK(saved.size() == kListHeaderSize + static_cast<std::size_t>(count) * kRecordSize);
    FUZZ_CHECK(unscrambledField(saved.data(), 8) == setupRecord.storedPin);
    FUZZ_CHECK(countField(saved.data(), saved.size()) == count);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpFuzzStore();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    uint8_t mode = size > 0 ? data[0] : 0;
    const uint8_t* file = size > 0 ? data + 1 : data;
    std::size_t fileSize = size > 0 ? size - 1 : 0;

    uint8_t header[8] = {};
    std::memcpy(header, file, fileSize < sizeof header ? fileSize : sizeof header);
    std::string headerPin = unscrambledField(header, sizeof header);
    std::string pin = choosePin(mode, headerPin);
    setPin(loginPin, pin);

    clearEntries();
    if ((mode & kStaleEntryFirst) != 0)
        FUZZ_CHECK(addEntry("stale", "id", "password", "") == 0);
    writeWholeFile(dataPaths.listPath, file, fileSize);

    int result = loadEntryList();
    checkTable();
    if (result != 0) {
        FUZZ_CHECK(entryTable.count == 0);
        return 0;
    }
    FUZZ_CHECK(headerPin == pin);
    FUZZ_CHECK(entryTable.count == countField(file, fileSize));
    // Only counts the file backs are taken, a partial last record included.
    std::size_t records = fileSize > kListHeaderSize ? fileSize - kListHeaderSize : 0;
    FUZZ_CHECK(static_cast<std::size_t>(entryTable.count) <=
               (records + kRecordSize - 1) / kRecordSize);

    // Save under the stored PIN and load again under the login PIN.
    std::vector<EntryTexts> loaded = tableContents();
    bool samePin = (mode & kResaveOtherPin) == 0;
    setPin(setupRecord.storedPin, samePin ? pin : otherPin(pin));
    FUZZ_CHECK(saveEntryList() == 0);
    if (loaded.empty()) {
        FUZZ_CHECK(!fileExists(dataPaths.listPath));
        FUZZ_CHECK(loadEntryList() == 0 && entryTable.count == 0);
    } else {
        checkSavedFile(entryTable.count);
        int again = loadEntryList();
        checkTable();
        if (samePin)
            FUZZ_CHECK(again == 0 && tableContents() == loaded);
        else
            FUZZ_CHECK(again == -1 && entryTable.count == 0);
    }
    clearEntries();
    clearSetup();
    return 0;
}
