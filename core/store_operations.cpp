#include "core/store_operations.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/app_message.h"
#include "core/data_files.h"
#include "core/entry_store.h"
#include "core/text.h"

namespace {
// The table as it was before its only entry was removed.
void putBackOnlyEntry(const EntryRecord& entry) {
    auto* block = static_cast<EntryRecord*>(std::malloc(sizeof entry));
    if (block == nullptr) {
        appMessageBox(kMemoryErrorMessage, kMbOk);
        return;
    }
    *block = entry;
    entryTable.records = block;
    entryTable.count = 1;
}

struct LoginSnapshot {
    char storedPin[sizeof setupRecord.storedPin];
    char login[sizeof loginPin];
    LoginState state;
};

LoginSnapshot takeLogin() {
    LoginSnapshot snapshot{};
    std::memcpy(snapshot.storedPin, setupRecord.storedPin, sizeof snapshot.storedPin);
    std::memcpy(snapshot.login, loginPin, sizeof snapshot.login);
    snapshot.state = loginState;
    return snapshot;
}

void restoreLogin(const LoginSnapshot& snapshot) {
    std::memcpy(setupRecord.storedPin, snapshot.storedPin, sizeof snapshot.storedPin);
    std::memcpy(loginPin, snapshot.login, sizeof snapshot.login);
    loginState = snapshot.state;
}
} // namespace

int markEntryUsed(int index) {
    if (index < 0 || index >= entryTable.count)
        return -1;
    entryTable.records[index].lastUsed = static_cast<int32_t>(std::time(nullptr));
    return saveEntryList();
}

int deleteEntry(int index) {
    if (index < 0 || index >= entryTable.count)
        return -1;
    EntryRecord removed = entryTable.records[index];
    if (removeEntry(index) != 0) {
        saveEntryList();
        return -1;
    }
    int result = saveEntryList();
    if (result != 0 && entryTable.count == 0)
        putBackOnlyEntry(removed);
    return result;
}

int changePin(const char* pin) {
    LoginSnapshot before = takeLogin();
    loginState = LoginState::LoggedIn;
    copyText(setupRecord.storedPin, sizeof setupRecord.storedPin, pin);
    copyText(loginPin, sizeof loginPin, setupRecord.storedPin);
    if (saveSettingsAndList() == 0)
        return 0;
    restoreLogin(before);
    return -1;
}

int switchAutoLogout(bool on) {
    setupRecord.autoLogoutOff = on ? 0 : 1; // stored as "off"
    return saveSettings();
}
