// A file system for tests that passes every call to the platform's, except that it can make one
// step fail, or "kill" the program after a step: every later step then fails without touching
// the disk, which stays as a killed process would leave it. A step is any call that changes the
// disk: opening for writing, writing, flushing, closing such a file, replacing, renaming,
// deleting, creating a directory. Installed while the object lives.
#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/file_ops.h"

class ScriptedFiles : public FileSystem {
public:
    ScriptedFiles();
    ~ScriptedFiles() override;
    ScriptedFiles(const ScriptedFiles&) = delete;
    ScriptedFiles& operator=(const ScriptedFiles&) = delete;

    void failStep(int step) { failing_.insert(step); } // may be called for several steps
    void killAfterStep(int step) { killAfter_ = step; }
    int steps() const { return steps_; }                         // steps taken so far
    const std::vector<std::string>& log() const { return log_; } // "replace List.old" ...

    bool canName(const char* path) override { return real_.canName(path); }
    bool describe(const char* path, HeapText& shown) override {
        return real_.describe(path, shown);
    }
    bool exists(const char* path) override;
    long long size(std::FILE* file) override { return real_.size(file); }
    int readVersion(const char* path, int32_t (&parts)[4]) override {
        return real_.readVersion(path, parts);
    }
    int createDirectory(const char* path) override;
    int remove(const char* path) override;
    std::FILE* open(const char* path, const char* mode) override;
    bool write(std::FILE* file, const void* bytes, std::size_t size) override;
    int flush(std::FILE* file) override;
    int close(std::FILE* file) override;
    int replace(const char* source, const char* target) override;
    int rename(const char* source, const char* target) override;
    void keepPrivate(const char* path) override { real_.keepPrivate(path); } // changes no bytes

private:
    // Counts a step; false when it must fail.
    bool take(const char* what, const char* path);

    FileSystem& real_;
    FileSystem* previous_;
    std::set<std::FILE*> writing_;
    std::vector<std::string> log_;
    int steps_ = 0;
    std::set<int> failing_;
    int killAfter_ = -1;
};
