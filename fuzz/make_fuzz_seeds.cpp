// Writes the starting corpus of both fuzzers: well-formed files built from the format tables,
// and the damaged shapes the loaders must refuse or repair.
// Usage: make_fuzz_seeds DIRECTORY   (writes DIRECTORY/list/* and DIRECTORY/setup/*)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "tests/support/data_file_bytes.h"

namespace {
constexpr std::size_t kHeaderSize = 12; // stored PIN and count
constexpr std::size_t kLastUsed = 264;  // the only field that is no text

std::string outDir;

void write(const std::string& area, const std::string& name, const Bytes& bytes) {
    std::string path = outDir + "/" + area + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

// A List seed: the fuzzer's mode byte, then the file.
void list(const std::string& name, uint8_t mode, Bytes file) {
    file.insert(file.begin(), mode);
    write("list", name, file);
}

const EntryFields kMail{"Mail",     "taro@example.jp",          "s3cret!",
                        1700000000, "https://mail.example.jp/", ""};
const EntryFields kBank{"\x8B\xE2\x8D\x73", "0012345", "\x88\xC3\x8F\xD8pw", 0, "", "memo"};
const EntryFields kShop{"shop", "hanako", "pass word", 1700000000, "https://shop.example.jp/", ""};
const EntryFields kOld{"Old", "x", "y", -5, "", "\x94\xF5\x8D\x6C"};
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    outDir = argv[1];
    mkdir(outDir.c_str(), 0777);
    mkdir((outDir + "/list").c_str(), 0777);
    mkdir((outDir + "/setup").c_str(), 0777);

    // Mode byte: bits 0-1 login PIN (0 the header's, 1 none, 2 near miss, 3 digits), bit 2 save
    // again under another PIN, bit 3 a stale entry before the load.
    list("empty-no-pin", 1, listFileBytes("", {}));
    list("one-entry", 0, listFileBytes("1234", {kMail}));
    list("four-entries", 0x08, listFileBytes("0815", {kOld, kBank, kShop, kMail}));
    list("resave-other-pin", 0x04, listFileBytes("1234", {kMail, kBank}));
    list("near-miss", 2, listFileBytes("1234", {kMail}));
    list("digits", 0x33, listFileBytes("1851", {kShop}));
    list("negative-count", 0, listFileBytesWithCount("1234", -1, {kMail}));
    list("absurd-count", 0, listFileBytesWithCount("1234", 1000, {kMail}));
    Bytes partial = listFileBytes("1234", {kMail, kShop});
    partial.resize(partial.size() - 300);
    list("partial-last-record", 0, partial);
    Bytes unterminated = listFileBytes("1234", {kMail});
    for (std::size_t i = kHeaderSize; i < unterminated.size(); ++i)
        if (i < kHeaderSize + kLastUsed || i >= kHeaderSize + kLastUsed + 4)
            unterminated[i] = 'A' ^ 0x05;
    list("unterminated-fields", 0, unterminated);
    list("short-header", 0, Bytes{'4' ^ 5, '3' ^ 5, '2' ^ 5});

    write("setup", "pin-and-reserved", setupFileBytes("1234", 1, "note"));
    write("setup", "no-pin", setupFileBytes("", 0));
    write("setup", "long-pin", setupFileBytes("1234567", -1, "\x94\xF5\x8D\x6C"));
    Bytes shortSetup = setupFileBytes("4321", 1);
    shortSetup.resize(10);
    write("setup", "short", shortSetup);
    write("setup", "unterminated", Bytes(264, 'D'));
    return 0;
}
