#include "file_ops.h"

#include <windows.h>

#include <direct.h>
#include <io.h>

bool pathExists(const char* path) {
    return _access(path, 0) == 0;
}

int createDirectory(const char* path) {
    return _mkdir(path) == 0 ? 0 : -1;
}

int deleteFile(const char* path) {
    return DeleteFileA(path) ? 0 : -1;
}

long long fileSize(std::FILE* file) {
    LARGE_INTEGER size;
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &size))
        return -1;
    return size.QuadPart;
}

int flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return -1;
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) ? 0 : -1;
}

int replaceFile(const char* source, const char* target) {
    // Virus scanners and sync tools open freshly written files for a moment; wait them out.
    constexpr int kAttempts = 6;
    constexpr DWORD kPauseMs = 200;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        DWORD error = GetLastError();
        bool transient = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                         error == ERROR_LOCK_VIOLATION;
        if (!transient || attempt == kAttempts)
            return -1;
        Sleep(kPauseMs);
    }
}
