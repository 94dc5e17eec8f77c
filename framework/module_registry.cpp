#include "framework/module_registry.h"

namespace {
// A handful of libraries at most; a fixed table needs no allocation inside DllMain.
constexpr int kMaxModules = 8;
HMODULE modules[kMaxModules];
int moduleCount = 0;

bool hasDialog(HMODULE module, int templateId) {
    return FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5)) != nullptr;
}
} // namespace

bool registerResourceModule(HMODULE module) {
    if (module == nullptr || moduleCount == kMaxModules)
        return false;
    modules[moduleCount++] = module;
    return true;
}

void unregisterResourceModule(HMODULE module) {
    for (int i = 0; i < moduleCount; ++i) {
        if (modules[i] == module) {
            for (int j = i + 1; j < moduleCount; ++j)
                modules[j - 1] = modules[j];
            --moduleCount;
            return;
        }
    }
}

HMODULE findDialogTemplate(int templateId) {
    HMODULE program = GetModuleHandleW(nullptr);
    if (hasDialog(program, templateId))
        return program;
    for (int i = 0; i < moduleCount; ++i)
        if (hasDialog(modules[i], templateId))
            return modules[i];
    return nullptr;
}
