// The Windows file system of the core. Paths are UTF-8 on our side: whatever the system's code
// page, every folder name survives. They reach Windows in the extended form "\\?\C:\..." or
// "\\?\UNC\server\share\...", which the wide functions take up to 32,767 characters long, so
// the limit is the file system's and not MAX_PATH's.
#include "core/file_ops.h"
#include "app/private_folder_win.h"

#include <windows.h>

#include <io.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "framework/system_library.h"

namespace {
// The longest path, in UTF-16 units, that the wide functions take in the extended form.
constexpr int kMaxPathUnits = 32767;
constexpr UINT kShiftJis = 932;

bool startsWith(const wchar_t* text, const wchar_t* start) {
    return std::wcsncmp(text, start, std::wcslen(start)) == 0;
}

// A UTF-8 text in UTF-16, on the heap for as long as the object lives; the empty text when it
// cannot be converted whole. Not the framework's WideText: this file is part of the core's
// library, and a path cut short where memory runs out would name another file.
class Utf16 {
public:
    explicit Utf16(const char* text) {
        int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
        text_ = units > 1 ? static_cast<wchar_t*>(
                                std::malloc(static_cast<std::size_t>(units) * sizeof(wchar_t)))
                          : nullptr;
        if (text_ != nullptr)
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, text_, units);
    }
    ~Utf16() { std::free(text_); }
    Utf16(const Utf16&) = delete;
    Utf16& operator=(const Utf16&) = delete;

    const wchar_t* get() const { return text_ != nullptr ? text_ : L""; }

private:
    wchar_t* text_;
};

// A path in the extended form for the wide functions; the empty text, which they refuse, when
// it cannot be formed. The program's own paths are absolute already (they start from its module
// path); anything else is made absolute first.
class LongPath {
public:
    explicit LongPath(const char* path) {
        Utf16 given(path);
        const wchar_t* wide = given.get();
        if (isAbsolute(wide)) {
            extend(wide);
            return;
        }
        DWORD units = wide[0] != L'\0' ? GetFullPathNameW(wide, 0, nullptr, nullptr) : 0;
        auto* absolute =
            units > 0 ? static_cast<wchar_t*>(std::malloc(units * sizeof(wchar_t))) : nullptr;
        if (absolute != nullptr && GetFullPathNameW(wide, units, absolute, nullptr) < units &&
            isAbsolute(absolute))
            extend(absolute);
        std::free(absolute);
    }
    ~LongPath() { std::free(text_); }
    LongPath(const LongPath&) = delete;
    LongPath& operator=(const LongPath&) = delete;

    const wchar_t* get() const { return text_ != nullptr ? text_ : L""; }
    bool formed() const { return text_ != nullptr; }

private:
    static bool isAbsolute(const wchar_t* path) {
        bool drive = path[0] != L'\0' && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
        return drive || startsWith(path, L"\\\\");
    }
    void extend(const wchar_t* path) {
        const wchar_t* prefix = L"\\\\?\\";
        if (startsWith(path, L"\\\\?\\") || startsWith(path, L"\\\\.\\")) {
            prefix = L""; // extended or a device already
        } else if (startsWith(path, L"\\\\")) {
            prefix = L"\\\\?\\UNC\\";
            path += 2;
        }
        std::size_t prefixUnits = std::wcslen(prefix), pathUnits = std::wcslen(path);
        if (prefixUnits + pathUnits > static_cast<std::size_t>(kMaxPathUnits))
            return;
        text_ = static_cast<wchar_t*>(std::malloc((prefixUnits + pathUnits + 1) * sizeof(wchar_t)));
        if (text_ == nullptr)
            return;
        std::wmemcpy(text_, prefix, prefixUnits);
        std::wmemcpy(text_ + prefixUnits, path, pathUnits + 1);
        // The extended form takes names as they stand: "/" would be part of one.
        for (wchar_t* c = text_ + prefixUnits; *c != L'\0'; ++c)
            if (*c == L'/')
                *c = L'\\';
    }

    wchar_t* text_ = nullptr;
};

HANDLE osHandle(std::FILE* file) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

// Virus scanners and sync tools open freshly written files for a moment; wait them out.
template <typename Call> bool retried(Call call) {
    constexpr int kAttempts = 6;
    constexpr DWORD kPauseMs = 200;
    for (int attempt = 1;; ++attempt) {
        if (call())
            return true;
        DWORD error = GetLastError();
        bool transient = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                         error == ERROR_LOCK_VIOLATION;
        if (!transient || attempt == kAttempts)
            return false;
        Sleep(kPauseMs);
    }
}

bool moveFile(const char* source, const char* target, DWORD flags) {
    LongPath from(source), to(target);
    return retried(
        [&] { return MoveFileExW(from.get(), to.get(), flags | MOVEFILE_WRITE_THROUGH); });
}

class WindowsFileSystem : public StdioFileSystem {
public:
    bool canName(const char* path) override { return LongPath(path).formed(); }

    // As Explorer writes it: without the extended form's prefix. A character that Shift-JIS
    // cannot hold shows as "?": the message still names the folder.
    bool describe(const char* path, HeapText& shown) override {
        Utf16 wide(path);
        const wchar_t* text = wide.get();
        const char* lead = "";
        if (startsWith(text, L"\\\\?\\UNC\\")) {
            text += 8;
            lead = "\\\\"; // of "\\server"
        } else if (startsWith(text, L"\\\\?\\")) {
            text += 4;
        }
        int length = WideCharToMultiByte(kShiftJis, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::size_t leadLength = std::strlen(lead);
        if (length <= 0 || !shown.reserve(leadLength + static_cast<std::size_t>(length) - 1))
            return false;
        std::memcpy(shown.data(), lead, leadLength);
        WideCharToMultiByte(kShiftJis, 0, text, -1, shown.data() + leadLength, length, nullptr,
                            nullptr);
        return true;
    }

    bool exists(const char* path) override {
        return GetFileAttributesW(LongPath(path).get()) != INVALID_FILE_ATTRIBUTES;
    }
    long long size(std::FILE* file) override {
        LARGE_INTEGER size;
        HANDLE handle = osHandle(file);
        if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size))
            return -1;
        return size.QuadPart;
    }
    int readVersion(const char* path, int32_t (&parts)[4]) override;

    int createDirectory(const char* path) override {
        return CreateDirectoryW(LongPath(path).get(), nullptr) ? 0 : -1;
    }
    int remove(const char* path) override {
        LongPath file(path);
        return retried([&] { return DeleteFileW(file.get()); }) ? 0 : -1;
    }
    std::FILE* open(const char* path, const char* mode) override {
        return _wfopen(LongPath(path).get(), Utf16(mode).get());
    }
    int flush(std::FILE* file) override {
        if (std::fflush(file) != 0)
            return -1;
        HANDLE handle = osHandle(file);
        return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) ? 0 : -1;
    }
    int replace(const char* source, const char* target) override {
        return moveFile(source, target, MOVEFILE_REPLACE_EXISTING) ? 0 : -1;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails when target exists.
    int rename(const char* source, const char* target) override {
        return moveFile(source, target, 0) ? 0 : -1;
    }
    void keepPrivate(const char* path) override { keepFolderPrivate(LongPath(path).get()); }
};

// VERSION.DLL reads the file itself; an ordinary path goes to it as it stands, a longer one in
// the extended form. It is not a KnownDLL, so it is loaded from the system folder when first
// needed, not imported; without it the version stays unknown.
int WindowsFileSystem::readVersion(const char* path, int32_t (&parts)[4]) {
    using SizeFn = DWORD(WINAPI*)(const wchar_t*, DWORD*);
    using InfoFn = BOOL(WINAPI*)(const wchar_t*, DWORD, DWORD, void*);
    using QueryFn = BOOL(WINAPI*)(const void*, const wchar_t*, void**, UINT*);
    static const auto versionSize =
        systemFunction<SizeFn>(L"version.dll", "GetFileVersionInfoSizeW");
    static const auto versionInfo = systemFunction<InfoFn>(L"version.dll", "GetFileVersionInfoW");
    static const auto queryValue = systemFunction<QueryFn>(L"version.dll", "VerQueryValueW");
    if (versionSize == nullptr || versionInfo == nullptr || queryValue == nullptr)
        return -1;

    Utf16 plain(path);
    LongPath longPath(path);
    const wchar_t* file = std::wcslen(plain.get()) < MAX_PATH ? plain.get() : longPath.get();
    DWORD handle = 0;
    DWORD size = versionSize(file, &handle);
    void* block = size != 0 ? std::malloc(size) : nullptr;
    if (block == nullptr)
        return -1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    bool read = versionInfo(file, 0, size, block) &&
                queryValue(block, L"\\", reinterpret_cast<void**>(&fixed), &length) &&
                fixed != nullptr;
    if (read) {
        parts[0] = static_cast<int32_t>(HIWORD(fixed->dwFileVersionMS));
        parts[1] = static_cast<int32_t>(LOWORD(fixed->dwFileVersionMS));
        parts[2] = static_cast<int32_t>(HIWORD(fixed->dwFileVersionLS));
        parts[3] = static_cast<int32_t>(LOWORD(fixed->dwFileVersionLS));
    }
    std::free(block);
    return read ? 0 : -1;
}
} // namespace

FileSystem& platformFileSystem() {
    static WindowsFileSystem files;
    return files;
}
