#include "file_ops.h"

#include <sys/stat.h>
#include <unistd.h>

bool pathExists(const char* path) {
    return access(path, F_OK) == 0;
}

int createDirectory(const char* path) {
    return mkdir(path, 0777) == 0 ? 0 : -1;
}

int deleteFile(const char* path) {
    return unlink(path) == 0 ? 0 : -1;
}

long long fileSize(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0)
        return -1;
    return static_cast<long long>(info.st_size);
}

int flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return -1;
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

int replaceFile(const char* source, const char* target) {
    return std::rename(source, target) == 0 ? 0 : -1;
}
