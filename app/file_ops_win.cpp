#include "core/file_ops.h"

#include <windows.h>

#include <direct.h>
#include <io.h>

// Paths are UTF-8 on our side: whatever the system's code page, every folder name survives.
namespace {
// A path for the wide-character functions; empty (and so refused by them) when it does not fit
// MAX_PATH.
struct WidePath {
    explicit WidePath(const char* path) {
        if (MultiByteToWideChar(CP_UTF8, 0, path, -1, text, MAX_PATH) <= 0)
            text[0] = L'\0';
    }
    const wchar_t* get() const { return text; }
    wchar_t text[MAX_PATH];
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
    WidePath from(source), to(target);
    return retried(
        [&] { return MoveFileExW(from.get(), to.get(), flags | MOVEFILE_WRITE_THROUGH); });
}

class WindowsFileSystem : public StdioFileSystem {
public:
    bool exists(const char* path) override { return _waccess(WidePath(path).get(), 0) == 0; }
    int createDirectory(const char* path) override {
        return _wmkdir(WidePath(path).get()) == 0 ? 0 : -1;
    }
    int remove(const char* path) override {
        WidePath file(path);
        return retried([&] { return DeleteFileW(file.get()); }) ? 0 : -1;
    }
    std::FILE* open(const char* path, const char* mode) override {
        return _wfopen(WidePath(path).get(), WidePath(mode).get());
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
};
} // namespace

FileSystem& platformFileSystem() {
    static WindowsFileSystem files;
    return files;
}

long long fileSize(std::FILE* file) {
    LARGE_INTEGER size;
    HANDLE handle = osHandle(file);
    if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size))
        return -1;
    return size.QuadPart;
}
