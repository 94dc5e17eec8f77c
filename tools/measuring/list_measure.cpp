// list_measure.exe KEYVANE_FOLDER [COUNT...]: how long Keyvane takes to fill its lists with many
// entries (by default 1,000, 10,000 and 100,000), as the user waits for them:
//   start-up   from the accepted PIN to the main window on screen, answering, with every row
//   login      the same after Logout and Login, with the window visible while it fills
//   editor     from the accepted PIN to the entry editor on screen and answering
//   close      from a click on the editor's Close to the main window answering with every row
// "Answering" is a list box that reports its row count to another process: while Keyvane's one
// thread is busy filling, such a message waits.
#include <windows.h>

#include <mmsystem.h> // timeBeginPeriod

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/robot.h"
#include "tools/measuring/measure_support.h"

namespace {
constexpr int kLoginButton = 1007, kEditButton = 1006, kPinField = 1015;
constexpr int kEditorList = 1007, kEditorClose = 1015;
constexpr char kPromptTitle[] = "Keyvane - ﾛｸﾞｲﾝ";
constexpr char kEditorTitle[] = "Keyvane - 編集";
constexpr double kTimeoutMs = 600000;

// The rows a list box reports, or -1 while its thread does not answer within a moment.
long rowsAnswered(HWND list) {
    DWORD_PTR rows = 0;
    if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 50, &rows))
        return -1;
    return static_cast<long>(rows);
}

// Milliseconds from start until done() holds, polled every millisecond; -1 on timeout.
double until(double start, const std::function<bool()>& done) {
    while (!done()) {
        if (nowMs() - start > kTimeoutMs)
            return -1;
        Sleep(1);
    }
    return nowMs() - start;
}

// Types the PIN into the open prompt; returns when the prompt has gone (the clock starts then).
bool answerPrompt(Robot& robot) {
    HWND prompt = robot.waitForWindow(kPromptTitle, nullptr, 60000);
    if (prompt == nullptr)
        return false;
    Robot::type(prompt, kPinField, "1234");
    return until(nowMs(), [&] { return !IsWindowVisible(prompt); }) >= 0;
}

struct Times {
    double startUp = -1, login = -1, editor = -1, close = -1;
};

Times measure(const std::string& keyvane, int count) {
    Times times;
    Robot robot(keyvane, {"Chimebox.dll"});
    robot.writeDataFile("Setup", setupFileBytes("1234", 1)); // no automatic logout meanwhile
    robot.writeDataFile("List", listFileBytes("1234", sampleEntries(count)));
    if (!robot.start() || !answerPrompt(robot))
        return times;
    double start = nowMs();
    HWND main = nullptr;
    times.startUp = until(start, [&] {
        main = visibleDialogOf(robot.processId());
        return main != nullptr && rowsAnswered(GetDlgItem(main, kv::kMainList)) == count;
    });
    if (times.startUp < 0)
        return times;
    HWND list = GetDlgItem(main, kv::kMainList);

    Robot::click(main, kLoginButton); // logout
    if (until(nowMs(), [&] { return rowsAnswered(list) == 0; }) < 0)
        return times;
    Robot::click(main, kLoginButton);
    if (!answerPrompt(robot))
        return times;
    times.login = until(nowMs(), [&] { return rowsAnswered(list) == count; });

    Robot::click(main, kEditButton);
    if (!answerPrompt(robot))
        return times;
    start = nowMs();
    HWND editor = nullptr;
    times.editor = until(start, [&] {
        editor = robot.findWindow(kEditorTitle, kv::kDialogClass);
        return editor != nullptr && rowsAnswered(GetDlgItem(editor, kEditorList)) == count;
    });
    if (times.editor < 0)
        return times;

    start = nowMs();
    Robot::click(editor, kEditorClose);
    times.close = until(start, [&] {
        return robot.findWindow(kEditorTitle) == nullptr && rowsAnswered(list) == count;
    });
    robot.stop(60000);
    return times;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: list_measure KEYVANE_FOLDER [COUNT...]\n");
        return 2;
    }
    std::string keyvane = std::string(argv[1]) + "\\Keyvane.exe";
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 10000, 100000};
    timeBeginPeriod(1);
    std::printf("filling the lists (ms; -1: did not finish within %.0f s)\n", kTimeoutMs / 1000);
    std::printf("  %8s %10s %10s %10s %10s\n", "entries", "start-up", "login", "editor", "close");
    int failures = 0;
    for (int count : counts) {
        Times t = measure(keyvane, count);
        std::printf("  %8d %10.0f %10.0f %10.0f %10.0f\n", count, t.startUp, t.login, t.editor,
                    t.close);
        std::fflush(stdout);
        failures += t.close < 0 ? 1 : 0;
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
