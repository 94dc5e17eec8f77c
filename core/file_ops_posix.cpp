#include "core/file_ops.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class PosixFileSystem : public StdioFileSystem {
public:
    bool exists(const char* path) override { return access(path, F_OK) == 0; }
    int createDirectory(const char* path) override { return mkdir(path, 0777) == 0 ? 0 : -1; }
    int remove(const char* path) override { return unlink(path) == 0 ? 0 : -1; }
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
};
} // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem files;
    return files;
}

long long fileSize(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0)
        return -1;
    return static_cast<long long>(info.st_size);
}
