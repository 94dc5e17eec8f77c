// The credential entries and settings held in memory, their scrambling and their order.
// Process-global: owned from initDataStore to shutdown, UI thread only.
#pragma once

#include <cstddef>
#include <cstdint>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "records are written to disk as raw little-endian bytes");

// One entry, identical in memory and in the List file.
struct EntryRecord {
    char name[88]; // shown in the lists; the key for duplicate detection
    char id[88];
    char password[88];
    int32_t lastUsed; // time() of the last copy to the clipboard; 0 = never
    char url[128];
    char reservedText[128]; // no screen uses it; carried through unchanged
};
static_assert(sizeof(EntryRecord) == 524);
static_assert(offsetof(EntryRecord, id) == 88);
static_assert(offsetof(EntryRecord, password) == 176);
static_assert(offsetof(EntryRecord, lastUsed) == 264);
static_assert(offsetof(EntryRecord, url) == 268);
static_assert(offsetof(EntryRecord, reservedText) == 396);

// The settings, identical in memory and in the Setup file.
struct SetupRecord {
    char storedPin[8];     // four digits once set; empty = never set
    int32_t autoLogoutOff; // 1 = automatic logout switched off
    char reservedText[252];
};
static_assert(sizeof(SetupRecord) == 264);
static_assert(offsetof(SetupRecord, autoLogoutOff) == 8);
static_assert(offsetof(SetupRecord, reservedText) == 12);

// One heap block of count records, kept in sortEntries order; no block when empty.
struct EntryTable {
    EntryRecord* records;
    int32_t count;
};

enum class LoginState : int32_t { Unset = -1, LoggedIn = 0, LoggedOut = 1 };

// A PIN is this many decimal digits.
constexpr std::size_t kPinLength = 4;

// The store's process-global state. Only the store and login operations change it; the
// dialogs read it.
extern EntryTable entryTable;
extern SetupRecord setupRecord;
extern char loginPin[sizeof SetupRecord::storedPin]; // the PIN last accepted or set; never saved
extern LoginState loginState;

// text is a PIN: exactly kPinLength digits.
bool isPin(const char* text);
// A PIN has been set: storedPin is a PIN (it is empty until then).
bool pinIsStored();

// XORs every byte of text before its NUL (and within fieldSize bytes) with 0x05; its own
// inverse. Bytes after the NUL are left alone.
void scrambleText(char* text, std::size_t fieldSize);

// Scrambles (or unscrambles) the five texts of a record / the two texts of the settings.
void scrambleEntry(EntryRecord& record);
void scrambleSetup(SetupRecord& record);

// Copies a record for the List file: each text scrambled, zeros after it to the end of its
// field, lastUsed as it is. The texts must end inside their fields, as the table's always do.
void scrambledCopy(EntryRecord& to, const EntryRecord& from);

// Forces every text field to end inside its own field, so that no later string operation on
// a damaged or crafted record can run past it.
void terminateEntryTexts(EntryRecord& record);
void terminateSetupTexts(SetupRecord& record);

void clearSetup();
void clearEntries();

// Most recently used first; then names in byte order (strcmp order).
void sortEntries();

// Appends a new, never-used entry and re-sorts. 0, or -1 (memory message shown, table unchanged).
int addEntry(const char* name, const char* id, const char* password, const char* url);

// Gives the entry at index a new ID, password and web address and marks it never used; its name
// and reserved text stay, and so does its place until the table is next sorted. 0, or -1 for an
// index outside the table.
int overwriteEntry(int index, const char* id, const char* password, const char* url);

// Removes the entry at index, keeping the order of the others. 0, or -1 (memory message shown
// or index outside the table; table unchanged).
int removeEntry(int index);

// Messages of the store.
extern const char kMemoryErrorMessage[];
