// startup_measure.exe KEYVANE_FOLDER [RUNS]: how long Keyvane takes from process start to its
// main window on screen, next to minimal_dialog.exe started the same way.
//
// Each launch runs from a fresh program folder (copied there before the clock starts), is timed
// from just before CreateProcess until a visible top-level dialog of the process appears, polled
// every millisecond, and is closed and waited for before the next one starts: Keyvane admits one
// instance only. The three kinds of launch take turns, so a busy moment of the machine does not
// land on one kind alone. Three launches of each before the runs warm the caches: after a single
// one, the first timed launches under Wine were still markedly slower.
#include <windows.h>

#include <mmsystem.h> // timeBeginPeriod

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/measuring/measure_support.h"
#include "tests/e2e/robot.h"

namespace {
constexpr int kEntryCount = 36;
constexpr int kWarmUpRounds = 3;
constexpr double kLaunchTimeoutMs = 20000;
// Wine tears a process down for a moment after its handle is signalled; the next launch should
// not share the machine with that.
constexpr DWORD kPauseBetweenLaunchesMs = 300;

struct Kind {
    const char* label;
    std::string program;
    std::vector<std::string> companions;
    int entries;  // a List file without a PIN holding this many entries; 0: no Data at all
    bool keyvane; // checks that the window is Keyvane's main window
};

struct Launch {
    double ms = 0;
    double pollPeriodMs = 0;
    std::string problem; // empty when the launch went as it should
};

std::string checkKeyvaneWindow(HWND window, const Kind& kind) {
    if (Robot::text(window) != kv::kMainTitle)
        return "the first window was not the main window (PIN prompt?): " + Robot::text(window);
    if (kind.entries > 0) {
        auto rows = Robot::listRows(window, kv::kMainList);
        if (rows.size() != static_cast<std::size_t>(kind.entries))
            return "the list shows " + std::to_string(rows.size()) + " entries";
    }
    return "";
}

Launch launch(const Kind& kind) {
    Launch result;
    Robot robot(kind.program, kind.companions);
    if (kind.entries > 0)
        robot.writeDataFile("List", listFileBytes("", sampleEntries(kind.entries)));

    double started = nowMs();
    if (!robot.start()) {
        result.problem = "CreateProcess failed";
        return result;
    }
    HWND window = nullptr;
    long polls = 0;
    for (;;) {
        window = visibleDialogOf(robot.processId());
        ++polls;
        if (window != nullptr)
            break;
        if (polls % 16 == 0 && !robot.running()) {
            result.problem = "it ended without a window (another instance running?)";
            return result;
        }
        if (nowMs() - started > kLaunchTimeoutMs) {
            result.problem = "no window within the time limit";
            return result;
        }
        Sleep(1);
    }
    result.ms = nowMs() - started;
    result.pollPeriodMs = result.ms / static_cast<double>(polls);

    if (kind.keyvane)
        result.problem = checkKeyvaneWindow(window, kind);
    Robot::Ending ending = robot.stop();
    if (!ending.exited && result.problem.empty())
        result.problem = "it did not end when closed and was terminated";
    return result;
}

void printRow(const Kind& kind, const std::vector<double>& times) {
    double low = times.front(), high = times.front();
    for (double t : times) {
        low = t < low ? t : low;
        high = t > high ? t : high;
    }
    std::printf("  %-34s median %7.1f ms   min %7.1f   max %7.1f\n", kind.label, median(times), low,
                high);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_measure KEYVANE_FOLDER [RUNS]\n");
        return 2;
    }
    std::string keyvane = std::string(argv[1]) + "\\Keyvane.exe";
    int runs = argc > 2 ? std::atoi(argv[2]) : 15;
    // Millisecond sleeps on Windows; Wine sleeps that finely anyway.
    timeBeginPeriod(1);

    const std::vector<Kind> kinds = {
        {"minimal dialog", besideThisProgram("minimal_dialog.exe"), {}, 0, false},
        {"minimal dialog, manifest + comctl", besideThisProgram("minimal_dialog_styled.exe"), {}, 0,
         false},
        {"Keyvane, first run, no Data", keyvane, {"Chimebox.dll"}, 0, true},
        {"Keyvane, first run, 36 entries", keyvane, {"Chimebox.dll"}, kEntryCount, true},
    };
    std::vector<std::vector<double>> times(kinds.size());
    std::vector<double> pollPeriods;
    int failures = 0;

    for (int round = -kWarmUpRounds; round < runs; ++round) { // rounds below 0 warm up
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            std::size_t which =
                (k + static_cast<std::size_t>(round + kWarmUpRounds)) % kinds.size();
            Launch result = launch(kinds[which]);
            Sleep(kPauseBetweenLaunchesMs);
            if (!result.problem.empty()) {
                std::printf("  launch of %s: %s\n", kinds[which].label, result.problem.c_str());
                ++failures;
                continue;
            }
            if (round < 0)
                continue;
            times[which].push_back(result.ms);
            pollPeriods.push_back(result.pollPeriodMs);
        }
    }

    std::printf("start-up: process start to a visible main window, %d runs each, after %d warm-up "
                "launches each\n",
                runs, kWarmUpRounds);
    for (std::size_t k = 0; k < kinds.size(); ++k)
        if (!times[k].empty())
            printRow(kinds[k], times[k]);
    if (!times[0].empty() && !times[1].empty() && !times[2].empty() && !times[3].empty()) {
        std::printf("  ratio Keyvane / bare minimal dialog:   %.2f (no Data), %.2f (36 entries)\n",
                    median(times[2]) / median(times[0]), median(times[3]) / median(times[0]));
        std::printf("  ratio Keyvane / like-for-like dialog:  %.2f (no Data), %.2f (36 entries); "
                    "target at most 1.20\n",
                    median(times[2]) / median(times[1]), median(times[3]) / median(times[1]));
    }
    std::printf("  window polled every %.2f ms (median over the runs)\n", median(pollPeriods));
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        std::printf("  %s, each run:", kinds[k].label);
        for (double t : times[k])
            std::printf(" %.0f", t);
        std::printf("\n");
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
