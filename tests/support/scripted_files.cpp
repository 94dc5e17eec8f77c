#include "tests/support/scripted_files.h"

#include <cstring>

ScriptedFiles::ScriptedFiles() : real_(platformFileSystem()), previous_(setFileSystem(this)) {}

ScriptedFiles::~ScriptedFiles() {
    setFileSystem(previous_);
}

bool ScriptedFiles::take(const char* what, const char* path) {
    ++steps_;
    std::string name = path;
    name = name.substr(name.find_last_of("/\\") + 1);
    log_.push_back(std::string(what) + " " + name);
    bool killed = killAfter_ >= 0 && steps_ > killAfter_;
    return !killed && failing_.count(steps_) == 0;
}

bool ScriptedFiles::exists(const char* path) {
    return real_.exists(path);
}

int ScriptedFiles::createDirectory(const char* path) {
    return take("mkdir", path) ? real_.createDirectory(path) : -1;
}

int ScriptedFiles::remove(const char* path) {
    return take("remove", path) ? real_.remove(path) : -1;
}

std::FILE* ScriptedFiles::open(const char* path, const char* mode) {
    if (std::strchr(mode, 'r') != nullptr)
        return real_.open(path, mode); // reading changes nothing
    if (!take("open", path))
        return nullptr;
    std::FILE* file = real_.open(path, mode);
    if (file != nullptr)
        writing_.insert(file);
    return file;
}

bool ScriptedFiles::write(std::FILE* file, const void* bytes, std::size_t size) {
    return take("write", "") && real_.write(file, bytes, size);
}

int ScriptedFiles::flush(std::FILE* file) {
    return take("flush", "") ? real_.flush(file) : -1;
}

// The file is closed in every case.
int ScriptedFiles::close(std::FILE* file) {
    if (writing_.erase(file) == 0)
        return real_.close(file);
    bool ok = take("close", "");
    real_.close(file);
    return ok ? 0 : -1;
}

int ScriptedFiles::replace(const char* source, const char* target) {
    return take("replace", target) ? real_.replace(source, target) : -1;
}

int ScriptedFiles::rename(const char* source, const char* target) {
    return take("rename", target) ? real_.rename(source, target) : -1;
}
