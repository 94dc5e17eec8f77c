#include "app/shell_open.h"

#include <windows.h>

#include <shellapi.h>

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

bool open(const char* verb, const WideText& target) {
    ShellExecuteFunction execute = shellExecute();
    if (execute == nullptr)
        return false;
    WideText action(verb != nullptr ? verb : "");
    auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, verb != nullptr ? action.get() : nullptr,
                                          target.get(), nullptr, nullptr, SW_SHOWNORMAL));
    return result >= 32;
}
} // namespace

bool shellOpen(const char* verb, const char* target) {
    return open(verb, WideText(target));
}

bool shellOpenFile(const char* verb, const char* path) {
    return open(verb, WideText(path, Encoding::Utf8));
}
