#include "tests/support/test_files.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
const char kSeparator[] = "\\";

// Paths are UTF-8, as the program keeps them: the wide functions see them whole.
std::wstring widePath(const std::string& path) {
    int units = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], units);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string utf8Path(const wchar_t* path) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}
#else
#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
const char kSeparator[] = "/";
#endif

namespace {
#ifdef _WIN32
void removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

void removeTree(const std::string& path) {
    removeTree(widePath(path));
}
#else
int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return remove(path);
}
void removeTree(const std::string& path) {
    nftw(path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}
#endif
} // namespace

TempDir::TempDir() {
#ifdef _WIN32
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned serial = 0;
    for (;;) {
        wchar_t name[MAX_PATH];
        std::swprintf(name, MAX_PATH, L"%lskvtest-%lu-%u", base, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryW(name, nullptr)) {
            path_ = utf8Path(name);
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary directory");
    }
#else
    char name[] = "/tmp/kvtest-XXXXXX";
    if (mkdtemp(name) == nullptr)
        throw std::runtime_error("cannot create a temporary directory");
    path_ = name;
#endif
}

TempDir::~TempDir() {
    removeTree(path_);
}

std::string TempDir::join(const std::string& name) const {
    return path_ + kSeparator + name;
}

bool exists(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
#endif
}

bool isDirectory(const std::string& path) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

bool makeDir(const std::string& path) {
#ifdef _WIN32
    return CreateDirectoryW(widePath(path).c_str(), nullptr) != 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

#ifdef _WIN32
// Replacing a file by rename keeps the new one open with delete access for a moment, and a
// reader that does not share delete access is refused then: share everything, and wait out
// the refusal.
Bytes readBytes(const std::string& path) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 50; ++attempt) {
        file = CreateFileW(widePath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(20);
    }
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot read " + path);
    Bytes bytes;
    uint8_t buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return bytes;
}
#else
Bytes readBytes(const std::string& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        throw std::runtime_error("cannot read " + path);
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}
#endif

void writeBytes(const std::string& path, const Bytes& bytes) {
#ifdef _WIN32
    std::FILE* file = _wfopen(widePath(path).c_str(), L"wb");
#else
    std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<std::string> listDir(const std::string& path) {
    std::vector<std::string> names;
#ifdef _WIN32
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((widePath(path) + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = utf8Path(found.cFileName);
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
#else
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
#endif
    std::sort(names.begin(), names.end());
    return names;
}
