#include "core/file_ops.h"

#include <windows.h>

#include <direct.h>
#include <io.h>

namespace {
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
    return retried([&] { return MoveFileExA(source, target, flags | MOVEFILE_WRITE_THROUGH); });
}

class WindowsFileSystem : public StdioFileSystem {
public:
    bool exists(const char* path) override { return _access(path, 0) == 0; }
    int createDirectory(const char* path) override { return _mkdir(path) == 0 ? 0 : -1; }
    int remove(const char* path) override {
        return retried([&] { return DeleteFileA(path); }) ? 0 : -1;
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
