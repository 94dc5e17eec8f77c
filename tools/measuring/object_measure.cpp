// object_measure.exe KEYVANE_FOLDER [COPIES] [BOXES]: Keyvane's GDI and USER objects after
// start-up, after many copies and after many message boxes, counted from outside the process.
//
// Keyvane runs from a fresh program folder with a List file of 36 entries and no PIN, so it asks
// for nothing. A copy is a click on the ID field of the selected entry; a message box is forced
// by holding the clipboard open here, so that Keyvane gives up opening it after its retries and
// says so in a box, which is then answered with its OK button.
//
// Before that the counting itself is checked on a probe process (this program started again with
// --probe-child): the outside count must equal the count the probe makes of itself, cover every
// object GetObjectType names in it, and follow the objects it is told to create one for one.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "tools/measuring/measure_support.h"
#include "tools/measuring/process_objects.h"
#include "tests/e2e/robot.h"

namespace {
constexpr int kEntryCount = 36;
constexpr double kStepTimeoutMs = 5000;
constexpr char kClipboardOpenFailed[] = "クリップボードが開けません。";

bool pollUntil(const std::function<bool()>& condition, DWORD pauseMs = 2,
               double timeoutMs = kStepTimeoutMs) {
    double start = nowMs();
    while (!condition()) {
        if (nowMs() - start > timeoutMs)
            return false;
        Sleep(pauseMs);
    }
    return true;
}

// Counts once the process has been idle and two counts 100 ms apart agree: a paint in progress
// holds device contexts for a moment.
ObjectCounts settledCounts(HANDLE process) {
    WaitForInputIdle(process, 2000);
    ObjectCounts last = countObjects(process);
    for (int i = 0; i < 30; ++i) {
        Sleep(100);
        ObjectCounts now = countObjects(process);
        if (now == last)
            break;
        last = now;
    }
    return last;
}

// --- the probe process ---
constexpr char kProbeClass[] = "KeyvaneMeasureProbe";
enum : UINT { kAskOwnTable = WM_APP, kAskOwnProbe, kMakeBrushes, kMakeWindows };

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAskOwnTable:
        return ownGdiTableEntries();
    case kAskOwnProbe:
        return ownGdiObjectsByProbe();
    case kMakeBrushes: // kept until the probe ends
        for (WPARAM i = 0; i < wParam; ++i)
            CreateSolidBrush(RGB(static_cast<BYTE>(i), 1, 2));
        return 0;
    case kMakeWindows:
        for (WPARAM i = 0; i < wParam; ++i)
            CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, window, nullptr, nullptr,
                            nullptr);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int runProbe() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kProbeClass;
    RegisterClassA(&windowClass);
    CreateWindowExA(0, kProbeClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

LRESULT sendToProbe(HWND probe, UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(probe, message, wParam, 0, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

bool check(bool condition, const char* what) {
    std::printf("  %-66s %s\n", what, condition ? "ok" : "FAILED");
    return condition;
}

bool calibrate() {
    std::printf("checking the counting on a probe process (%s)\n", countingMethod());
    std::string self = besideThisProgram("object_measure.exe");
    std::string commandLine = "\"" + self + "\" --probe-child";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(self.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
        return check(false, "the probe starts");
    HWND probe = nullptr;
    pollUntil([&] {
        for (HWND w = FindWindowExA(nullptr, nullptr, kProbeClass, nullptr); w != nullptr;
             w = FindWindowExA(nullptr, w, kProbeClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == child.dwProcessId)
                probe = w;
        }
        return probe != nullptr;
    });
    bool ok = check(probe != nullptr, "the probe's window appears");
    HANDLE process = child.hProcess; // read through the handle starting it gave, as Keyvane's
    if (ok) {
        ObjectCounts before = settledCounts(process);
        auto table = static_cast<int>(sendToProbe(probe, kAskOwnTable));
        auto probed = static_cast<int>(sendToProbe(probe, kAskOwnProbe));
        std::printf("  probe at rest: GDI %d counted outside, %d by itself, %d named by "
                    "GetObjectType; USER %d\n",
                    before.gdi, table, probed, before.user);
        ok &= check(before.gdi > 0 && before.gdi == table,
                    "GDI counted from outside equals the probe's own count");
        ok &= check(probed > 0 && probed <= before.gdi,
                    "and includes every object GetObjectType names");
        sendToProbe(probe, kMakeBrushes, 7);
        sendToProbe(probe, kMakeWindows, 3);
        ObjectCounts after = settledCounts(process);
        ok &= check(after.gdi == before.gdi + 7 &&
                        static_cast<int>(sendToProbe(probe, kAskOwnProbe)) == probed + 7,
                    "7 more brushes: 7 more GDI objects, outside and inside");
        ok &= check(after.user == before.user + 3, "3 more windows: 3 more USER objects");
    }
    PostMessageA(probe, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(child.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    return ok;
}

// --- Keyvane ---
std::optional<std::string> clipboardTextNow() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT))
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

std::string copyOnce(const Robot& robot, HWND main, const std::string& id) {
    Robot::emptyClipboard();
    DWORD sequence = GetClipboardSequenceNumber();
    Robot::click(main, kv::kIdField);
    int polls = 0;
    bool copied = pollUntil([&] {
        if (++polls % 25 == 0 && robot.messageBox() != nullptr)
            return true;
        // Open the clipboard only once Keyvane has touched it, so as not to race its opening.
        DWORD now = GetClipboardSequenceNumber();
        return (now == 0 || now != sequence) && clipboardTextNow() == id;
    });
    if (HWND box = robot.messageBox()) {
        Robot::click(box, kBoxOk);
        return "a message box came up during a copy";
    }
    return copied ? "" : "the ID did not reach the clipboard";
}

std::string boxOnce(const Robot& robot, HWND main) {
    Robot::click(main, kv::kIdField);
    HWND box = nullptr;
    if (!pollUntil([&] { return (box = robot.messageBox()) != nullptr; }, 5))
        return "no message box came up";
    std::string message = Robot::text(box, kBoxMessage);
    Robot::click(box, kBoxOk);
    if (!pollUntil([&] { return !IsWindow(box); }))
        return "the box did not close";
    return message == kClipboardOpenFailed ? "" : "the box said something else";
}

// The counts at one moment, with the GDI objects by kind where they can be told apart.
struct Snapshot {
    ObjectCounts counts;
    std::map<std::string, int> kinds;
};

Snapshot snapshot(HANDLE process) {
    ObjectCounts counts = settledCounts(process);
    return {counts, gdiKindsOf(process)};
}

// "+20 font, +1 brush": what the GDI objects of now differ by from those of then.
std::string kindDifference(const Snapshot& then, const Snapshot& now) {
    std::map<std::string, int> change;
    for (const auto& [kind, count] : now.kinds)
        change[kind] += count;
    for (const auto& [kind, count] : then.kinds)
        change[kind] -= count;
    std::string text;
    for (const auto& [kind, count] : change)
        if (count != 0)
            text += (text.empty() ? "" : ", ") + std::string(count > 0 ? "+" : "") +
                    std::to_string(count) + " " + kind;
    return text;
}

void printCounts(const std::string& when, const Snapshot& now, const Snapshot& startUp) {
    std::printf("  %-20s GDI %5d  USER %4d   ", when.c_str(), now.counts.gdi, now.counts.user);
    if (now.counts == startUp.counts) {
        std::printf("= start-up\n");
        return;
    }
    std::printf("differs from start-up");
    std::string kinds = kindDifference(startUp, now);
    if (!kinds.empty())
        std::printf(": GDI %s", kinds.c_str());
    std::printf("\n");
}

int failWith(const char* problem) {
    std::printf("%s\n", problem);
    return 1;
}

int measureKeyvane(const std::string& folder, int copies, int boxes) {
    Robot robot(folder + "\\Keyvane.exe", {"Chimebox.dll"});
    robot.writeDataFile("List", listFileBytes("", sampleEntries(kEntryCount)));
    if (!robot.start())
        return failWith("Keyvane did not start");
    HWND main = robot.waitForWindow(kv::kMainTitle, kv::kDialogClass);
    if (main == nullptr)
        return failWith("no main window");
    // Keyvane lets no other program read its memory: only the handle starting it gave may.
    HANDLE process = robot.processHandle();

    std::printf("Keyvane's objects (%d entries listed, no PIN)\n", kEntryCount);
    Snapshot startUp = snapshot(process);
    printCounts("after start-up", startUp, startUp);

    Robot::selectRow(main, kv::kMainList, 0);
    std::string id;
    pollUntil([&] { return !(id = Robot::text(main, kv::kIdField)).empty(); });
    int failures = 0;
    Snapshot firstCopy, lastCopy, firstBox, lastBox;
    double started = nowMs();
    for (int i = 1; i <= copies; ++i) {
        std::string problem = copyOnce(robot, main, id);
        if (!problem.empty() && ++failures <= 3)
            std::printf("  copy %d: %s\n", i, problem.c_str());
        if (i == 1)
            firstCopy = snapshot(process);
    }
    double copyMs = (nowMs() - started) / copies;
    lastCopy = snapshot(process);
    printCounts("after copy 1", firstCopy, startUp);
    printCounts("after copy " + std::to_string(copies), lastCopy, startUp);

    // Held here, the clipboard cannot be opened by Keyvane: every copy ends in the box.
    if (!OpenClipboard(nullptr))
        return failWith("cannot hold the clipboard");
    started = nowMs();
    for (int i = 1; i <= boxes; ++i) {
        std::string problem = boxOnce(robot, main);
        if (!problem.empty() && ++failures <= 6)
            std::printf("  box %d: %s\n", i, problem.c_str());
        if (i == 1)
            firstBox = snapshot(process);
    }
    double boxMs = (nowMs() - started) / boxes;
    lastBox = snapshot(process);
    CloseClipboard();
    printCounts("after box 1", firstBox, startUp);
    printCounts("after box " + std::to_string(boxes), lastBox, startUp);
    std::printf("  %d copies (%.0f ms each), %d boxes (%.0f ms each), %d went wrong\n", copies,
                copyMs, boxes, boxMs, failures);
    bool equal = lastCopy.counts == startUp.counts && lastBox.counts == startUp.counts;
    std::printf("  counts after the copies and after the boxes equal those after start-up: %s\n",
                equal ? "yes" : "NO");
    // Something set up once, on the first copy or box, is not a leak; growth after it would be.
    std::printf("  growth from copy 1 to copy %d: GDI %+d, USER %+d; from box 1 to box %d: GDI "
                "%+d, USER %+d\n",
                copies, lastCopy.counts.gdi - firstCopy.counts.gdi,
                lastCopy.counts.user - firstCopy.counts.user, boxes,
                lastBox.counts.gdi - firstBox.counts.gdi,
                lastBox.counts.user - firstBox.counts.user);

    Robot::Ending ending = robot.stop();
    if (!ending.exited)
        std::printf("  Keyvane did not end when closed and was terminated\n");
    return failures == 0 && ending.exited ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--probe-child")
        return runProbe();
    if (argc < 2) {
        std::fprintf(stderr, "usage: object_measure KEYVANE_FOLDER [COPIES] [BOXES]\n");
        return 2;
    }
    int copies = argc > 2 ? std::atoi(argv[2]) : 500;
    int boxes = argc > 3 ? std::atoi(argv[3]) : 100;
    if (!calibrate()) {
        std::printf("the counting does not work here: no object counts\n");
        return 1;
    }
    return measureKeyvane(argv[1], copies, boxes);
}
