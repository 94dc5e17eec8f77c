// Save + load of the List file through the store, next to the least any save and load of the
// same file can cost: the same bytes written with one fwrite to a temporary file, flushed to
// the disk, renamed over the old file and read back with one fread. After the runs it prints
// store / floor for each table size.
//
// The files go to a fresh directory under $KEYVANE_BENCH_DIR, else $TMPDIR, else /tmp: point
// it at the disk you care about (a RAM-backed directory makes the flush free).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/data_files.h"
#include "core/entry_store.h"

namespace {
std::string programDir;

int removeOne(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

// Entries as a user might keep them: short service names, some in Japanese (Shift-JIS), mail
// addresses and user numbers as IDs, passwords of 10 to 16 characters, most with a web address,
// about a third never used and the rest used at some time in the past year.
void fillTable(int32_t count) {
    static const char* const kServices[] = {
        "Mail",
        "Bank",
        "Shop",
        "Cloud",
        "Forum",
        "Travel",
        "Library",
        "Insurance",
        "\x8B\xE2\x8D\x73",         // 銀行
        "\x92\xCA\x94\xCC",         // 通販
        "\x90\x7D\x8F\x91\x8A\xD9", // 図書館
        "\x8F\xD8\x8C\x94",         // 証券
    };
    constexpr int32_t kNow = 1700000000;
    constexpr int32_t kYear = 365 * 24 * 3600;
    std::mt19937 random(20240601u);
    auto below = [&random](unsigned limit) { return static_cast<int>(random() % limit); };
    const char kPasswordChars[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789!#$%&";

    clearEntries();
    auto* records = static_cast<EntryRecord*>(
        std::calloc(static_cast<std::size_t>(count), sizeof(EntryRecord)));
    if (records == nullptr)
        std::abort();
    for (int32_t i = 0; i < count; ++i) {
        EntryRecord& r = records[i];
        const char* service = kServices[below(sizeof kServices / sizeof *kServices)];
        std::snprintf(r.name, sizeof r.name, "%s %05d", service, i);
        if (below(2) == 0)
            std::snprintf(r.id, sizeof r.id, "user%d@example.co.jp", below(100000));
        else
            std::snprintf(r.id, sizeof r.id, "%08d", below(100000000));
        int length = 10 + below(7);
        for (int c = 0; c < length; ++c)
            r.password[c] = kPasswordChars[below(sizeof kPasswordChars - 1)];
        if (below(5) != 0)
            std::snprintf(r.url, sizeof r.url, "https://www.%s-%d.example.jp/login?lang=ja",
                          below(2) == 0 ? "service" : "members", i);
        r.lastUsed = below(3) == 0 ? 0 : kNow - below(kYear);
    }
    entryTable.records = records;
    entryTable.count = count;
    sortEntries();
}

void useFreshStore(int32_t count) {
    initDataStore(programDir.c_str());
    std::strcpy(setupRecord.storedPin, "2468");
    std::strcpy(loginPin, "2468");
    fillTable(count);
}

std::vector<char> readAll(const std::string& path) {
    std::vector<char> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

void storeSaveLoad(benchmark::State& state) {
    auto count = static_cast<int32_t>(state.range(0));
    useFreshStore(count);
    for (auto _ : state) {
        if (saveEntryList() != 0 || loadEntryList() != 0 || entryTable.count != count) {
            state.SkipWithError("the store failed to save or load");
            break;
        }
    }
    std::size_t fileBytes = kListHeaderSize + static_cast<std::size_t>(count) * sizeof(EntryRecord);
    state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(fileBytes));
    shutdownDataStore();
}

void floorSaveLoad(benchmark::State& state) {
    auto count = static_cast<int32_t>(state.range(0));
    useFreshStore(count);
    if (saveEntryList() != 0) {
        state.SkipWithError("the store failed to save");
        return;
    }
    const std::vector<char> bytes = readAll(dataPaths.listPath.get()); // exactly what the store writes
    shutdownDataStore();
    const std::string path = std::string(dataPaths.dataDir) + "/Floor";
    const std::string tempPath = path + ".tmp";

    for (auto _ : state) {
        std::FILE* file = std::fopen(tempPath.c_str(), "wb");
        bool ok = file != nullptr &&
                  std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                  std::fflush(file) == 0 && fsync(fileno(file)) == 0;
        ok = file != nullptr && std::fclose(file) == 0 && ok &&
             std::rename(tempPath.c_str(), path.c_str()) == 0;
        file = ok ? std::fopen(path.c_str(), "rb") : nullptr;
        if (file == nullptr) {
            state.SkipWithError("the floor failed to write or open its file");
            break;
        }
        void* loaded = std::malloc(bytes.size());
        ok = loaded != nullptr && std::fread(loaded, 1, bytes.size(), file) == bytes.size();
        std::fclose(file);
        benchmark::DoNotOptimize(loaded);
        std::free(loaded);
        if (!ok) {
            state.SkipWithError("the floor failed to read its file");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * 2 * static_cast<int64_t>(bytes.size()));
}

// Wall-clock time: the flush to the disk is waiting, not computing.
BENCHMARK(storeSaveLoad)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(floorSaveLoad)->Arg(1000)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

// The console report, then store / floor per table size: from the medians when the runs were
// repeated, else from the single runs.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            Timing& timing = timings_[run.run_name.args][run.run_name.function_name];
            if (median) {
                timing.median = run.GetAdjustedRealTime();
            } else {
                timing.sum += run.GetAdjustedRealTime();
                ++timing.runs;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto& [entries, byName] : timings_) {
            auto store = byName.find("storeSaveLoad");
            auto floor = byName.find("floorSaveLoad");
            if (store == byName.end() || floor == byName.end())
                continue;
            double storeTime = store->second.value();
            double floorTime = floor->second.value();
            std::printf("%6s entries: store %.3f ms, floor %.3f ms, store / floor %.2f\n",
                        entries.c_str(), storeTime, floorTime, storeTime / floorTime);
        }
    }

private:
    struct Timing {
        double median = -1, sum = 0;
        int runs = 0;
        double value() const { return median >= 0 ? median : sum / runs; }
    };
    std::map<std::string, std::map<std::string, Timing>> timings_;
};
} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const char* base = std::getenv("KEYVANE_BENCH_DIR");
    if (base == nullptr || *base == '\0')
        base = std::getenv("TMPDIR");
    if (base == nullptr || *base == '\0')
        base = "/tmp";
    std::string pattern = std::string(base) + "/keyvane-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        return 1;
    }
    programDir = pattern;
    std::printf("files in %s\n", programDir.c_str());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    nftw(programDir.c_str(), removeOne, 8, FTW_DEPTH | FTW_PHYS);
    return 0;
}
