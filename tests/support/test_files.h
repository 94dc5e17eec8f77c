// Test helpers: private temporary directories and whole-file byte access, on both platforms.
// Paths are UTF-8, as the program keeps them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh, empty directory that is removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() joined with a relative name by the platform's separator.
    std::string join(const std::string& name) const;

private:
    std::string path_;
};

extern const char kSeparator[];

bool exists(const std::string& path);
bool isDirectory(const std::string& path);
bool makeDir(const std::string& path);
Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);
// Names in a directory, "." and ".." left out, sorted.
std::vector<std::string> listDir(const std::string& path);

#ifdef _WIN32
// A UTF-8 path for the wide-character functions, and back.
std::wstring widePath(const std::string& path);
std::string utf8Path(const wchar_t* path);
#endif
