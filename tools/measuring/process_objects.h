// The GDI and USER objects of a running process, counted from outside it: nothing is loaded into
// the process and nothing in it is asked, so the counting cannot change what it counts.
#pragma once

#include <windows.h>

#include <map>
#include <string>

struct ObjectCounts {
    int gdi = -1; // -1: could not be counted
    int user = -1;
};

inline bool operator==(const ObjectCounts& a, const ObjectCounts& b) {
    return a.gdi == b.gdi && a.user == b.user;
}
inline bool operator!=(const ObjectCounts& a, const ObjectCounts& b) {
    return !(a == b);
}

bool underWine();

// process needs PROCESS_QUERY_INFORMATION | PROCESS_VM_READ: for Keyvane, whose DACL refuses them
// to every later OpenProcess, the handle that starting it gave.
// On Windows the system's own counts, GetGuiResources. Wine 8 answers 0 there, so under Wine:
// GDI objects are the used entries of the process's GDI handle table, read from its memory;
// USER objects are its windows (see windowsOf). Wine keeps its menus, icons and cursors where no
// other process can count them, so these are not in the Wine USER count.
ObjectCounts countObjects(HANDLE process);
// A name for the method countObjects uses here, for the report.
const char* countingMethod();

// Wine's GDI handle table of the process, read with ReadProcessMemory: the used entries, or -1
// when the table cannot be found or read.
int gdiTableEntriesOf(HANDLE process);
// The same entries by kind ("font", "brush", ...), to tell what a difference is made of. Empty on
// Windows, where GetGuiResources gives totals only, and when the table cannot be read.
std::map<std::string, int> gdiKindsOf(HANDLE process);
// Every window of the process: top-level (hidden or not) with all their descendants, and the
// message-only windows with theirs.
int windowsOf(DWORD processId);

// The calling process's own view, for checking the counts from outside against. On Windows both
// are GetGuiResources. Under Wine: its GDI handle table read in place, and the objects that
// GetObjectType names when every handle index is probed - all but Wine's GDI surfaces, which
// GetObjectType does not know but which are GDI objects of the process all the same.
int ownGdiTableEntries();
int ownGdiObjectsByProbe();
