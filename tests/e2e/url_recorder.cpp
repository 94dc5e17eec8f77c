// Stands in for the browser: registered for the kvtest: scheme in the test prefix, it appends
// the address it was started with to opened.txt beside itself, in Shift-JIS whatever the system's
// code page, as the tests spell their texts. A GUI program, so that wine opens no console window
// for it.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path, length);
    size_t slash = log.find_last_of(L'\\');
    if (length == 0 || slash == std::wstring::npos)
        return 1;
    log = log.substr(0, slash + 1) + L"opened.txt";

    // The command line without the program's own name, as the ANSI entry would see it.
    const wchar_t* line = GetCommandLineW();
    bool quoted = *line == L'"';
    for (++line; *line != L'\0' && (quoted ? *line != L'"' : *line != L' '); ++line) {
    }
    if (*line == L'"')
        ++line;
    while (*line == L' ')
        ++line;
    int bytes = WideCharToMultiByte(932, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(932, 0, line, -1, &text[0], bytes, nullptr, nullptr);
    if (std::FILE* file = _wfopen(log.c_str(), L"ab")) {
        std::fprintf(file, "%s\n", text.c_str());
        std::fclose(file);
    }
    return 0;
}
