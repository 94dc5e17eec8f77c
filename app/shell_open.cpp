#include "app/shell_open.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/wide_text.h"

namespace {
using ShellExecuteFunction = decltype(&ShellExecuteW);

// SHELL32 is large and only needed when something is opened: load it then, not at start-up.
ShellExecuteFunction shellExecute() {
    static ShellExecuteFunction function = [] {
        HMODULE shell = LoadLibraryW(L"shell32.dll");
        return shell != nullptr ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(
                                      GetProcAddress(shell, "ShellExecuteW")))
                                : nullptr;
    }();
    return function;
}

bool open(const char* verb, const std::wstring& target) {
    ShellExecuteFunction execute = shellExecute();
    if (execute == nullptr)
        return false;
    std::wstring action = verb != nullptr ? wideFromShiftJis(verb) : std::wstring();
    auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, verb != nullptr ? action.c_str() : nullptr,
                                          target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result >= 32;
}
} // namespace

bool shellOpen(const char* verb, const char* target) {
    return open(verb, wideFromShiftJis(target));
}

bool shellOpenFile(const char* verb, const char* path) {
    return open(verb, wideFromUtf8(path));
}
