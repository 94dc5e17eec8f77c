#include "core/file_ops.h"

namespace {
FileSystem* installed = nullptr;
}

FileSystem& fileSystem() {
    return installed != nullptr ? *installed : platformFileSystem();
}

FileSystem* setFileSystem(FileSystem* files) {
    FileSystem* previous = installed;
    installed = files;
    return previous;
}

bool StdioFileSystem::write(std::FILE* file, const void* bytes, std::size_t size) {
    return std::fwrite(bytes, 1, size, file) == size;
}

int StdioFileSystem::close(std::FILE* file) {
    return std::fclose(file) == 0 ? 0 : -1;
}
