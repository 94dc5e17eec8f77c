#include "tools/measuring/process_objects.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace {
// Wine 8 keeps each process's GDI handle table in that process's own memory and puts its address
// in PEB.GdiSharedHandleTable (0xF8 in a 64-bit PEB), the field where Windows points to its own,
// differently laid out, system-wide table.
// The table has 0x10000 entries of 24 bytes (Object 8, Owner 4, Unique 2 - its low 7 bits the
// extended type -, Type 1, Flags 1, UserPointer 8); a free entry has Type 0.
static_assert(sizeof(void*) == 8, "the table layout below is the 64-bit one");
constexpr std::size_t kPebGdiTableOffset = 0xF8;
constexpr std::size_t kGdiEntryCount = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryExtTypeOffset = 12;
constexpr std::size_t kGdiEntryTypeOffset = 14;
// Read in slices: one huge read is a single huge reply from the Wine server.
constexpr std::size_t kEntriesPerRead = 4096;

int usedEntries(const BYTE* entries, std::size_t count) {
    int used = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (entries[i * kGdiEntrySize + kGdiEntryTypeOffset] != 0)
            ++used;
    return used;
}

// Wine's names for the extended types (NTGDI_OBJ_*), by the kinds a user of GDI knows.
std::string kindName(int extType) {
    switch (extType) {
    case 0x01:
        return "DC";
    case 0x41:
        return "memory DC";
    case 0x04:
        return "region";
    case 0x05:
        return "surface";
    case 0x08:
        return "palette";
    case 0x09:
        return "bitmap";
    case 0x0A:
        return "font";
    case 0x10:
        return "brush";
    case 0x30:
        return "pen";
    case 0x50:
        return "extended pen";
    default:
        return "type " + std::to_string(extType);
    }
}

// The address of the process's PEB, 0 when it cannot be had.
ULONG_PTR pebOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0)
        return 0;
    return reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress);
}

bool readFrom(HANDLE process, ULONG_PTR address, void* buffer, std::size_t size) {
    SIZE_T got = 0;
    return ReadProcessMemory(process, reinterpret_cast<const void*>(address), buffer, size, &got) &&
           got == size;
}

bool readGdiTable(HANDLE process, std::vector<BYTE>& table) {
    ULONG_PTR peb = pebOf(process);
    ULONG_PTR address = 0;
    if (peb == 0 || !readFrom(process, peb + kPebGdiTableOffset, &address, sizeof address) ||
        address == 0)
        return false;
    table.resize(kGdiEntryCount * kGdiEntrySize);
    const std::size_t slice = kEntriesPerRead * kGdiEntrySize;
    for (std::size_t at = 0; at < table.size(); at += slice)
        if (!readFrom(process, address + at, table.data() + at, slice))
            return false;
    return true;
}

// Counts a window and all its descendants (EnumChildWindows reaches every level).
int withDescendants(HWND window) {
    int count = 1;
    EnumChildWindows(
        window,
        [](HWND, LPARAM total) -> BOOL {
            ++*reinterpret_cast<int*>(total);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

DWORD ownerOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}
} // namespace

bool underWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

int gdiTableEntriesOf(HANDLE process) {
    std::vector<BYTE> table;
    return readGdiTable(process, table) ? usedEntries(table.data(), kGdiEntryCount) : -1;
}

std::map<std::string, int> gdiKindsOf(HANDLE process) {
    std::map<std::string, int> kinds;
    std::vector<BYTE> table;
    if (!underWine() || !readGdiTable(process, table))
        return kinds;
    for (std::size_t i = 0; i < kGdiEntryCount; ++i)
        if (table[i * kGdiEntrySize + kGdiEntryTypeOffset] != 0)
            ++kinds[kindName(table[i * kGdiEntrySize + kGdiEntryExtTypeOffset] & 0x7F)];
    return kinds;
}

int windowsOf(DWORD processId) {
    struct Tally {
        DWORD processId;
        int count;
    } tally{processId, 0};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* t = reinterpret_cast<Tally*>(context);
            if (ownerOf(window) == t->processId)
                t->count += withDescendants(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tally));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        if (ownerOf(window) == processId)
            tally.count += withDescendants(window);
    return tally.count;
}

ObjectCounts countObjects(HANDLE process) {
    if (!underWine())
        return {static_cast<int>(GetGuiResources(process, GR_GDIOBJECTS)),
                static_cast<int>(GetGuiResources(process, GR_USEROBJECTS))};
    return {gdiTableEntriesOf(process), windowsOf(GetProcessId(process))};
}

const char* countingMethod() {
    return underWine() ? "GDI: used entries of the process's GDI handle table, read from outside; "
                         "USER: its windows (menus, icons, cursors not countable under Wine)"
                       : "GetGuiResources (GR_GDIOBJECTS, GR_USEROBJECTS)";
}

int ownGdiTableEntries() {
    if (!underWine())
        return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    ULONG_PTR peb = pebOf(GetCurrentProcess());
    if (peb == 0)
        return -1;
    const BYTE* table = nullptr;
    std::memcpy(&table, reinterpret_cast<const BYTE*>(peb) + kPebGdiTableOffset, sizeof table);
    return table != nullptr ? usedEntries(table, kGdiEntryCount) : -1;
}

int ownGdiObjectsByProbe() {
    if (!underWine())
        return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    // Wine's GDI handle lookup accepts a handle's table index alone.
    int count = 0;
    for (UINT_PTR index = 1; index < kGdiEntryCount; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    return count;
}
