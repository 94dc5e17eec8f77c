// Everything the core asks of the disk, behind one replaceable seam: the platform's own
// (app/file_ops_win.cpp on Windows, file_ops_posix.cpp natively), or a test's that fails or
// stops at a chosen step. Reads go through the standard C functions on the FILE the seam
// opened; everything else that touches the disk goes through the seam. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/text.h"

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // --- paths ---
    // The system can name a file by this path: it is not too long for the system.
    virtual bool canName(const char* path) = 0;
    // The path as the system writes it for the user, in the program's texts' encoding
    // (Shift-JIS), for a message; false when it cannot be shown.
    virtual bool describe(const char* path, HeapText& shown) = 0;

    // --- queries ---
    // The path names an existing file or directory.
    virtual bool exists(const char* path) = 0;
    // Size of an open file in bytes, or -1.
    virtual long long size(std::FILE* file) = 0;
    // The file version of a program file, most significant part first; 0 / -1 when it has none.
    virtual int readVersion(const char* path, int32_t (&parts)[4]) = 0;

    // --- changes ---
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
    // Closes a directory, and everything in it and made in it later, to everyone but the user
    // running the program (and the system's own accounts), changing no file's bytes. Silent:
    // where the file system keeps no permissions, or the change is refused, nothing changes.
    virtual void keepPrivate(const char* path) = 0;
};

// The standard C parts that every platform's file system shares.
class StdioFileSystem : public FileSystem {
public:
    bool write(std::FILE* file, const void* bytes, std::size_t size) override;
    int close(std::FILE* file) override;
};

// What the core uses: the platform's file system unless a test installed another.
FileSystem& fileSystem();
// Installs files (nullptr: the platform's again); returns the previous one.
FileSystem* setFileSystem(FileSystem* files);
// The platform's own: the one choice the build makes at link time, file_ops_posix.cpp natively
// and app/file_ops_win.cpp on Windows, since the core cannot name Windows.
FileSystem& platformFileSystem();

// Shorthand for the one query the dialogs need too.
inline bool pathExists(const char* path) {
    return fileSystem().exists(path);
}

// The directory separator the store joins paths with.
#ifdef _WIN32
constexpr char kPathSeparator[] = "\\";
#else
constexpr char kPathSeparator[] = "/";
#endif
