// The changes the dialogs make to what is stored, each written through to the data files at
// once and each failure reported with its message. With addEntry, overwriteEntry and the login
// operations, these are all that the dialogs may call to change the store's state; the core's
// own loading and saving (data_files.h) change it too.
#pragma once

// The entry at index was copied: its lastUsed becomes now and the List file is saved. The table
// keeps its order until the next load. 0, or -1.
int markEntryUsed(int index);

// Removes the entry at index and saves the List file. The last entry goes with the file itself:
// when the file cannot be deleted, the entry stays, as it does on the disk. 0, or -1.
int deleteEntry(int index);

// Sets a new PIN: stored, logged in with it, and written to Setup and the List header in one
// commit. A List file that could not be read is first loaded again under the new PIN, so that
// setting the PIN the entries were saved under brings them back. After a failure the PIN, the
// login and the table in memory are as before, matching the disk. 0, or -1.
int changePin(const char* pin);

// Switches automatic logout on or off and saves the settings. 0, or -1.
int switchAutoLogout(bool on);
