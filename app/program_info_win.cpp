// Reading the program file's version resource (VERSION.DLL).
#include "core/program_info.h"

#include <windows.h>

#include <cstdlib>

// path is UTF-8.
int readFileVersion(const char* path, ProgramInfo& info) {
    wchar_t file[MAX_PATH];
    if (MultiByteToWideChar(CP_UTF8, 0, path, -1, file, MAX_PATH) <= 0)
        return -1;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(file, &handle);
    if (size == 0)
        return -1;
    void* block = std::malloc(size);
    if (block == nullptr)
        return -1;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(file, 0, size, block) ||
        !VerQueryValueW(block, L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr) {
        std::free(block);
        return -1;
    }
    info.fileVersion[0] = static_cast<int32_t>(HIWORD(fixed->dwFileVersionMS));
    info.fileVersion[1] = static_cast<int32_t>(LOWORD(fixed->dwFileVersionMS));
    info.fileVersion[2] = static_cast<int32_t>(HIWORD(fixed->dwFileVersionLS));
    info.fileVersion[3] = static_cast<int32_t>(LOWORD(fixed->dwFileVersionLS));
    std::free(block);
    return 0;
}
