// The few file-system calls the store needs beyond standard C I/O, one implementation per
// platform (file_ops_win.cpp, file_ops_posix.cpp).
#pragma once

#include <cstdio>

// The path names an existing file or directory.
bool pathExists(const char* path);

// Creates one directory; 0 / -1.
int createDirectory(const char* path);

// Deletes a file; 0 / -1.
int deleteFile(const char* path);

// Size of an open file in bytes, or -1.
long long fileSize(std::FILE* file);

// Pushes everything written to the file through to the disk; 0 / -1.
int flushToDisk(std::FILE* file);

// Puts source in place of target in one step, so that target is always either the old or the
// new file; 0 / -1 (source is then left where it is).
int replaceFile(const char* source, const char* target);

// The directory separator the store joins paths with.
#ifdef _WIN32
constexpr char kPathSeparator[] = "\\";
#else
constexpr char kPathSeparator[] = "/";
#endif
