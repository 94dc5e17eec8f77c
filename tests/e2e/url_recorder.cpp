// Stands in for the browser: registered for the kvtest: scheme in the test prefix, it appends
// the address it was started with to opened.txt beside itself. A GUI program, so that wine
// opens no console window for it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (length == 0 || slash == nullptr)
        return 1;
    std::snprintf(slash + 1, sizeof path - static_cast<size_t>(slash + 1 - path), "opened.txt");
    if (std::FILE* file = std::fopen(path, "ab")) {
        std::fprintf(file, "%s\n", commandLine);
        std::fclose(file);
    }
    return 0;
}
