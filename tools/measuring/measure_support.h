// What the measuring programs share: Keyvane's controls, sample data, a clock, medians and a
// quick look for a process's dialog window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/data_file_bytes.h"

namespace kv {
constexpr int kMainList = 1000, kIdField = 1021;
constexpr char kMainTitle[] = "Keyvane";
constexpr char kDialogClass[] = "#32770";
} // namespace kv

// count entries with an ID and a password each, some with a web address, as a List file
// without a PIN holds them.
std::vector<EntryFields> sampleEntries(int count);

// Milliseconds on the performance counter.
double nowMs();
double median(std::vector<double> values);

// A file beside this program.
std::string besideThisProgram(const std::string& name);

// The process's visible top-level dialog window, or nullptr. Asks only for top-level windows
// of the dialog class, so that polling it every millisecond costs the system little.
HWND visibleDialogOf(DWORD processId);
