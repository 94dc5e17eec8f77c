// The native build's file system, on POSIX: what the core's tests, fuzzers and benchmark run
// against. The one file of core/ beyond the standard library.
#include "core/file_ops.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class PosixFileSystem : public StdioFileSystem {
public:
    bool canName(const char* path) override { return std::strlen(path) < PATH_MAX; }
    bool describe(const char* path, HeapText& shown) override { return shown.format("%s", path); }

    bool exists(const char* path) override { return access(path, F_OK) == 0; }
    long long size(std::FILE* file) override {
        struct stat info {};
        return fstat(fileno(file), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
    }
    // Programs here carry no version resource.
    int readVersion(const char*, int32_t (&)[4]) override { return -1; }

    int createDirectory(const char* path) override { return mkdir(path, 0777) == 0 ? 0 : -1; }
    int remove(const char* path) override { return unlink(path) == 0 ? 0 : -1; }
    std::FILE* open(const char* path, const char* mode) override { return std::fopen(path, mode); }
    int flush(std::FILE* file) override {
        if (std::fflush(file) != 0)
            return -1;
        return fsync(fileno(file)) == 0 ? 0 : -1;
    }
    int replace(const char* source, const char* target) override {
        return std::rename(source, target) == 0 ? 0 : -1;
    }
    int rename(const char* source, const char* target) override {
        if (renameat2(AT_FDCWD, source, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL || access(target, F_OK) == 0)
            return -1;
        // A file system without RENAME_NOREPLACE: one instance runs, so checking first is safe.
        return std::rename(source, target) == 0 ? 0 : -1;
    }
    void keepPrivate(const char* path) override { chmod(path, S_IRWXU); }
};
} // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem files;
    return files;
}
