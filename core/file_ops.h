// The file-system calls the store makes, behind one replaceable seam: the platform's own
// (file_ops_win.cpp, file_ops_posix.cpp), or a test's that fails or stops at a chosen step.
// Reads go through the standard C functions on the FILE the seam opened; everything that
// changes the disk goes through the seam.
#pragma once

#include <cstddef>
#include <cstdio>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The path names an existing file or directory.
    virtual bool exists(const char* path) = 0;
    // Creates one directory; 0 / -1.
    virtual int createDirectory(const char* path) = 0;
    // Deletes a file; 0 / -1.
    virtual int remove(const char* path) = 0;

    // fopen; nullptr when the file cannot be opened.
    virtual std::FILE* open(const char* path, const char* mode) = 0;
    // Writes all of bytes; false when any of it could not be written.
    virtual bool write(std::FILE* file, const void* bytes, std::size_t size) = 0;
    // Pushes everything written to the file through to the disk; 0 / -1.
    virtual int flush(std::FILE* file) = 0;
    // Closes the file in every case; 0 / -1 when what was still buffered could not be written.
    virtual int close(std::FILE* file) = 0;

    // Puts source in place of target in one step, so that target is always either the old or
    // the new file; 0 / -1 (source is then left where it is).
    virtual int replace(const char* source, const char* target) = 0;
    // Gives source the name target, which must not exist yet; 0 / -1. Needs no free space.
    virtual int rename(const char* source, const char* target) = 0;
};

// The standard C parts that every platform's file system shares.
class StdioFileSystem : public FileSystem {
public:
    std::FILE* open(const char* path, const char* mode) override;
    bool write(std::FILE* file, const void* bytes, std::size_t size) override;
    int close(std::FILE* file) override;
};

// What the store uses: the platform's file system unless a test installed another.
FileSystem& fileSystem();
// Installs files (nullptr: the platform's again); returns the previous one.
FileSystem* setFileSystem(FileSystem* files);
// The platform's own.
FileSystem& platformFileSystem();

// Shorthand for the one query the dialogs need too.
inline bool pathExists(const char* path) {
    return fileSystem().exists(path);
}

// Size of an open file in bytes, or -1.
long long fileSize(std::FILE* file);

// The directory separator the store joins paths with.
#ifdef _WIN32
constexpr char kPathSeparator[] = "\\";
#else
constexpr char kPathSeparator[] = "/";
#endif
