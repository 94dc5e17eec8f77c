// Windows' own DLLs, taken from the system folder and nowhere else. A DLL that is not on the
// KnownDLLs list would otherwise be looked for beside the program first, where anyone who can
// write to that folder (a download folder, a USB stick) could put one of the same name. So the
// binaries import at load time only KnownDLLs (and the side-by-side COMCTL32 and Chimebox.dll),
// and everything else is loaded here, at first use. Header only: the core's Windows file system
// uses it too, without linking the framework.
#pragma once

#include <windows.h>

#include <cwchar>

// LOAD_LIBRARY_SEARCH_SYSTEM32 is understood where AddDllDirectory exists (Windows 8, and
// Windows 7 with KB2533623); before that the DLL is named by its full path in the system folder.
inline HMODULE loadSystemLibrary(const wchar_t* name) {
    static const bool searchFlagsKnown =
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory") != nullptr;
    if (searchFlagsKnown)
        return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    std::size_t nameLength = std::wcslen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    std::wmemcpy(path + length + 1, name, nameLength + 1); // the terminator too
    return LoadLibraryW(path);
}

// The address of a function in a system DLL, or nullptr where the DLL or the function is
// missing (an older Windows). The DLL stays loaded to the end of the process.
template <class F> F systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = loadSystemLibrary(library);
    return module != nullptr
               ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
               : nullptr;
}

// For a program, first thing at start: DLLs loaded later on its behalf (by the shell, the input
// method, the common controls) come from the system folder only, never from the program's folder
// or the current directory. Each call is made where the system has it. A library changes none of
// this for its host.
inline void restrictDllSearchToSystem() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryFn = BOOL(WINAPI*)(const wchar_t*);
    using SetSearchPathModeFn = BOOL(WINAPI*)(DWORD);
    auto function = [kernel](const char* name) {
        return reinterpret_cast<void (*)()>(GetProcAddress(kernel, name));
    };
    if (auto set =
            reinterpret_cast<SetDefaultDllDirectoriesFn>(function("SetDefaultDllDirectories")))
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Takes the current directory out of the search that older systems still make.
    if (auto set = reinterpret_cast<SetDllDirectoryFn>(function("SetDllDirectoryW")))
        set(L"");
    // SearchPath, which the shell uses, looks in the current directory last.
    if (auto set = reinterpret_cast<SetSearchPathModeFn>(function("SetSearchPathMode")))
        set(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}
