#include "core/file_ops.h"

#include "core/seam.h"

namespace {
Seam<FileSystem, platformFileSystem> seam;
}

FileSystem& fileSystem() {
    return seam.get();
}

FileSystem* setFileSystem(FileSystem* files) {
    return seam.install(files);
}

bool StdioFileSystem::write(std::FILE* file, const void* bytes, std::size_t size) {
    return std::fwrite(bytes, 1, size, file) == size;
}

int StdioFileSystem::close(std::FILE* file) {
    return std::fclose(file) == 0 ? 0 : -1;
}
