// Fuzzes loadSettings with arbitrary Setup files. Whatever it reads must save back in the file
// format and load again unchanged, and a List file saved under the PIN it read must load again
// with that PIN as the login.
#include <cstring>
#include <string>

#include "core/data_files.h"
#include "fuzz/fuzz_store.h"

namespace {
constexpr std::size_t kSetupSize = sizeof(SetupRecord);

struct Settings {
    std::string pin, reserved;
    int32_t autoLogoutOff;
    bool operator==(const Settings& other) const {
        return pin == other.pin && reserved == other.reserved &&
               autoLogoutOff == other.autoLogoutOff;
    }
};

Settings currentSettings() {
    return {setupRecord.storedPin, setupRecord.reservedText, setupRecord.autoLogoutOff};
}

int32_t le32At(const uint8_t* file, std::size_t size, std::size_t offset) {
    uint8_t bytes[4] = {};
    for (std::size_t i = 0; i < 4 && offset + i < size; ++i)
        bytes[i] = file[offset + i];
    int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A text field on disk: the scrambled text, then zeros to the end of the field.
void checkSavedField(const uint8_t* field, std::size_t fieldSize, const std::string& text) {
    FUZZ_CHECK(unscrambledField(field, fieldSize) == text);
    for (std::size_t i = text.size(); i < fieldSize; ++i)
        FUZZ_CHECK(field[i] == 0);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpFuzzStore();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    writeWholeFile(dataPaths.setupPath, data, size);
    setupRecord.autoLogoutOff = 7; // a load must not keep anything of the settings before it
    std::strcpy(setupRecord.storedPin, "9999");
    FUZZ_CHECK(loadSettings() == 0);
    checkSetup();
    FUZZ_CHECK(setupRecord.autoLogoutOff == le32At(data, size, 8));
    const char* pin = setupRecord.storedPin;
    FUZZ_CHECK(pinIsStored() == (std::strlen(pin) == 4 && std::strspn(pin, "0123456789") == 4));

    Settings loaded = currentSettings();
    FUZZ_CHECK(saveSettings() == 0);
    std::vector<uint8_t> saved = readWholeFile(dataPaths.setupPath);
    FUZZ_CHECK(saved.size() == kSetupSize);
    checkSavedField(saved.data(), 8, loaded.pin);
    FUZZ_CHECK(le32At(saved.data(), saved.size(), 8) == loaded.autoLogoutOff);
    checkSavedField(saved.data() + 12, kSetupSize - 12, loaded.reserved);
    clearSetup();
    FUZZ_CHECK(loadSettings() == 0);
    FUZZ_CHECK(currentSettings() == loaded);

    // Whatever PIN the settings hold heads the List file and lets it load again.
    std::memset(loginPin, 0, sizeof loginPin);
    std::strcpy(loginPin, setupRecord.storedPin);
    clearEntries();
    FUZZ_CHECK(addEntry("entry", "id", "password", "https://example.jp/") == 0);
    FUZZ_CHECK(saveEntryList() == 0);
    clearEntries();
    FUZZ_CHECK(loadEntryList() == 0);
    FUZZ_CHECK(entryTable.count == 1 && std::strcmp(entryTable.records[0].name, "entry") == 0);
    clearEntries();
    return 0;
}
