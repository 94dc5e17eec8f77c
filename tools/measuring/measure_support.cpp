#include "tools/measuring/measure_support.h"

#include <algorithm>
#include <cstdio>

std::vector<EntryFields> sampleEntries(int count) {
    static const char* const kKinds[] = {"Bank", "Mail", "Shop", "Cloud", "銀行", "通販"};
    std::vector<EntryFields> entries;
    for (int i = 1; i <= count; ++i) {
        char name[32], id[48], password[32], url[64];
        std::snprintf(name, sizeof name, "%s %02d", kKinds[i % 6], i);
        std::snprintf(id, sizeof id, "user%02d@example.jp", i);
        std::snprintf(password, sizeof password, "pw-%02d-secret", i);
        std::snprintf(url, sizeof url, "https://example.jp/%02d", i);
        entries.push_back({name, id, password, 0, i % 3 == 0 ? url : "", ""});
    }
    return entries;
}

double nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string besideThisProgram(const std::string& name) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

HWND visibleDialogOf(DWORD processId) {
    for (HWND window = FindWindowExA(nullptr, nullptr, kv::kDialogClass, nullptr);
         window != nullptr; window = FindWindowExA(nullptr, window, kv::kDialogClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}
