#include "app/shell_open.h"

#include <windows.h>

#include <shellapi.h>

#include "framework/system_library.h"
#include "framework/wide_text.h"

namespace {
using ShellExecuteFunction = decltype(&ShellExecuteW);

// SHELL32 is large and only needed when something is opened: load it then, not at start-up.
ShellExecuteFunction shellExecute() {
    static const auto function =
        systemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
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
