#include "app/shell_open.h"

#include <windows.h>

#include <shellapi.h>

namespace {
using ShellExecuteFunction = decltype(&ShellExecuteA);

// SHELL32 is large and only needed when something is opened: load it then, not at start-up.
ShellExecuteFunction shellExecute() {
    static ShellExecuteFunction function = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell != nullptr ? reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void*>(
                                      GetProcAddress(shell, "ShellExecuteA")))
                                : nullptr;
    }();
    return function;
}
} // namespace

bool shellOpen(const char* verb, const char* target) {
    ShellExecuteFunction execute = shellExecute();
    if (execute == nullptr)
        return false;
    auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, verb, target, nullptr, nullptr, SW_SHOWNORMAL));
    return result >= 32;
}
