#include "core/file_ops.h"

#include <windows.h>

#include <direct.h>
#include <io.h>

#include <string>

// Paths are UTF-8 on our side: whatever the system's code page, every folder name survives.
namespace {
std::wstring wide(const char* path) {
    int units = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units > 0 ? units : 1), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_UTF8, 0, path, -1, &text[0], units);
    text.resize(text.size() - 1);
    return text;
}

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
    std::wstring from = wide(source), to = wide(target);
    return retried(
        [&] { return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH); });
}

class WindowsFileSystem : public StdioFileSystem {
public:
    bool exists(const char* path) override { return _waccess(wide(path).c_str(), 0) == 0; }
    int createDirectory(const char* path) override {
        return _wmkdir(wide(path).c_str()) == 0 ? 0 : -1;
    }
    int remove(const char* path) override {
        std::wstring file = wide(path);
        return retried([&] { return DeleteFileW(file.c_str()); }) ? 0 : -1;
    }
    std::FILE* open(const char* path, const char* mode) override {
        return _wfopen(wide(path).c_str(), wide(mode).c_str());
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
