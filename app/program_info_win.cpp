// Reading the program file's version resource (VERSION.DLL).
#include "core/program_info.h"

#include <windows.h>

#include <cstdlib>
#include <string>

// path is UTF-8.
int readFileVersion(const char* path, ProgramInfo& info) {
    int units = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
    std::wstring file(static_cast<std::size_t>(units > 0 ? units : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path, -1, &file[0], units);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0)
        return -1;
    void* block = std::malloc(size);
    if (block == nullptr)
        return -1;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block) ||
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
