// pack_report.exe: the test pack's helper for run-tests.cmd, on a stock Windows with nothing else
// installed.
//   pack_report args PROGRAM [/quick]   the arguments PROGRAM runs with on this system: a
//                                        GoogleTest filter leaving out what cannot run here, or
//                                        "skip" when the whole program does not run
//   pack_report report [/quick]         reads results\*.xml (GoogleTest's), *.list and *.exit and
//                                        prints the report: one line per program, the failing
//                                        checks' messages, and what did not run here and why
// Both work on every *_tests.exe in the current folder; the report's exit code is 1 when a
// check failed, a program left no results, or a rule below names a test that no longer exists.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
enum class When { Quick, OnWindows, NotJapaneseCodePage };

// What does not run, or runs only in part, and why. An empty "tests" is a note only; "*" leaves
// the whole program out.
struct Rule {
    When when;
    const char* program;
    const char* tests; // GoogleTest filter patterns, ':' between them
    const char* why;
};

const char kHandlerTests[] =
    "HelpTest.TheManualOpensOnlyWhenItIsThere:HelpTest.F1OpensTheManualUnlessAnotherDialogIsUp:"
    "HelpTest.SupportPageAndMailInquiryMinimiseAndOpenTheirAddresses:"
    "Web.OpensTheSelectedEntrysAddressWithItsRegisteredProgram:"
    "Keys.CtrlBCAndUDoWhatTheClicksDoAndNothingWhereTheyWouldNot";

// The tests' own reading of Japanese texts, not the program's, needs code page 932 for these.
const char kReadThroughAnsi[] = "they read or measure the texts through the ANSI functions, which "
                                "take them as Shift-JIS only on code page 932";
const char kBoxTestsThroughAnsi[] =
    "ChimeboxDll.CarriesItsVersionBlockInShiftJis:"
    "MsgBoxButtons.EveryTypeShowsItsCaptionsFocusesItsFirstButtonAndAnswersEachClick:"
    "MsgBoxTexts.OverlongTextsAreCutBeforeADoubleByteCharacterThatWouldNotFit:"
    "MsgBoxLayout.AShortLineGetsTheMinimumWidth:"
    "MsgBoxLayout.ALineWiderThanTwoHundredPixelsWidensTheBox:MsgBoxLayout.ALineFeedMakesTwoLines:"
    "MsgBoxLayout.DoubleAmpersandsAreMeasuredAsTheSingleOneShown:"
    "MsgBoxLayout.EveryCaptionFitsItsButtonAndTheMarginsFollowTheSystemDpi";

const Rule kRules[] = {
    {When::Quick, "keyvane_e2e_tests", "*",
     "left out by /quick (it takes about five minutes); run-tests without /quick runs it"},
    {When::OnWindows, "keyvane_e2e_tests", kHandlerTests,
     "wine only: they register url_recorder.exe for https, mailto, .html and a test scheme "
     "under HKLM\\Software\\Classes (wine reads no per-user classes), which on Windows needs an "
     "administrator and would replace this computer's own handlers. WINDOWS-CHECKS.md, "
     "\"Help menu and Web\", checks them by hand"},
    {When::OnWindows, "keyvane_e2e_tests", "",
     "its second run on code page 1252 (keyvane_e2e_tests_cp1252) exists only under wine, "
     "which can start a session on another code page; here it ran on this computer's code page "
     "(see the top). Run the pack once on a Japanese and once on an English Windows to cover "
     "both"},
    {When::OnWindows, "app_tests", "",
     "WindowDpi.AWindowMovedToAnotherDpiAndBackLooksAsIfOpenedThere checks here only the move "
     "to 144 DPI and back; its comparison with the windows opened fresh at 144 DPI runs only "
     "under wine (Windows takes a new scale at the next sign-in). WINDOWS-CHECKS.md, "
     "\"Per-monitor scale\""},
    {When::OnWindows, "msgbox_tests", "",
     "MsgBoxLayout.EveryCaptionFitsItsButtonAndTheMarginsFollowTheSystemDpi checks here this "
     "desktop's scale only; its second run at 144 DPI exists only under wine"},
    {When::NotJapaneseCodePage, "store_tests", "WindowsSetting.TheAnsiCodePageIsJapanese",
     "it checks that the tests run on the Japanese code page 932"},
    {When::NotJapaneseCodePage, "app_tests", "ResourceTest.*", kReadThroughAnsi},
    {When::NotJapaneseCodePage, "msgbox_tests", kBoxTestsThroughAnsi, kReadThroughAnsi},
    {When::NotJapaneseCodePage, "robot_tests", "*",
     "its target program, robot_target.exe, is an ANSI program of code page 932"},
};

// A function of ntdll.dll, or nullptr.
template <class F> F ntdll(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

using WineVersion = const char* (*)();

bool underWine() {
    return ntdll<WineVersion>("wine_get_version") != nullptr;
}

bool applies(const Rule& rule, bool quick) {
    switch (rule.when) {
    case When::Quick:
        return quick;
    case When::OnWindows:
        return !underWine();
    case When::NotJapaneseCodePage:
        return GetACP() != 932;
    }
    return false;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// GoogleTest's wildcards: '*' any run of characters, '?' one character.
bool matches(const char* pattern, const char* name) {
    if (*pattern == '\0')
        return *name == '\0';
    if (*pattern == '*')
        return matches(pattern + 1, name) || (*name != '\0' && matches(pattern, name + 1));
    return *name != '\0' && (*pattern == '?' || *pattern == *name) &&
           matches(pattern + 1, name + 1);
}

std::string readFile(const std::string& path, bool* found = nullptr) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (found != nullptr)
        *found = file != nullptr;
    if (file == nullptr)
        return bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

std::vector<std::string> programsHere() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*_tests.exe", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(std::string(found.cFileName, std::strlen(found.cFileName) - 4));
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// --gtest_list_tests prints "Suite." lines, each followed by "  Test" lines.
std::vector<std::string> listedTests(const std::string& listing) {
    std::vector<std::string> names;
    std::string suite;
    for (std::string line : split(listing, '\n')) {
        line = line.substr(0, line.find_first_of("\r#"));
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] != ' ')
            suite = line;
        else
            names.push_back(suite + line.substr(line.find_first_not_of(' ')));
    }
    return names;
}

std::string unescapeXml(const std::string& text) {
    static const struct {
        const char* name;
        char character;
    } kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            plain += text[i];
            continue;
        }
        size_t end = text.find(';', i);
        std::string entity = text.substr(i, end == std::string::npos ? 1 : end - i + 1);
        bool known = false;
        for (const auto& e : kEntities)
            if (entity == e.name) {
                plain += e.character;
                known = true;
            }
        if (!known && entity.size() > 3 && entity[1] == '#') { // &#x0A; or &#10;
            bool hex = entity[2] == 'x';
            plain += static_cast<char>(
                std::strtol(entity.c_str() + (hex ? 3 : 2), nullptr, hex ? 16 : 10));
            known = true;
        }
        if (known)
            i += entity.size() - 1;
        else
            plain += '&';
    }
    return plain;
}

std::string attribute(const std::string& tag, const char* name) {
    std::string key = std::string(" ") + name + "=\"";
    size_t at = tag.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return unescapeXml(tag.substr(at, tag.find('"', at) - at));
}

struct Counts {
    int passed = 0, failed = 0, skipped = 0;
    std::string failures; // each failing test's name and its checks' messages, indented
};

Counts readResults(const std::string& xml) {
    Counts counts;
    for (size_t at = 0; (at = xml.find("<testcase ", at)) != std::string::npos;) {
        size_t tagEnd = xml.find('>', at);
        std::string tag = xml.substr(at, tagEnd - at);
        size_t end = tag.back() == '/' ? tagEnd : xml.find("</testcase>", tagEnd);
        std::string body = xml.substr(tagEnd, end - tagEnd);
        at = end;
        if (attribute(tag, "status") == "notrun") // a disabled test
            continue;
        if (attribute(tag, "result") == "skipped") {
            ++counts.skipped;
            continue;
        }
        if (body.find("<failure ") == std::string::npos) {
            ++counts.passed;
            continue;
        }
        ++counts.failed;
        counts.failures +=
            "  FAILED " + attribute(tag, "classname") + "." + attribute(tag, "name") + "\n";
        for (size_t f = 0; (f = body.find("<failure ", f)) != std::string::npos; ++f)
            for (const std::string& line :
                 split(attribute(body.substr(f, body.find('>', f) - f), "message"), '\n'))
                counts.failures += "    " + line + "\n";
    }
    return counts;
}

std::string systemLine() {
    std::string line;
    if (underWine()) {
        line = std::string("wine ") + ntdll<WineVersion>("wine_get_version")();
    } else {
        RTL_OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        // GetVersionEx would answer 6.2 to a program without a manifest.
        auto getVersion = ntdll<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>("RtlGetVersion");
        if (getVersion != nullptr)
            getVersion(&info);
        char text[64];
        std::snprintf(text, sizeof text, "Windows %lu.%lu.%lu", info.dwMajorVersion,
                      info.dwMinorVersion, info.dwBuildNumber);
        line = text;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[96];
    std::snprintf(text, sizeof text, ", ANSI code page %u, %04u-%02u-%02u %02u:%02u", GetACP(),
                  now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    return line + text;
}

int printArguments(const std::string& program, bool quick) {
    std::string excluded;
    for (const Rule& rule : kRules) {
        if (program != rule.program || !applies(rule, quick) || *rule.tests == '\0')
            continue;
        if (std::strcmp(rule.tests, "*") == 0) {
            std::puts("skip");
            return 0;
        }
        excluded += (excluded.empty() ? "" : ":") + std::string(rule.tests);
    }
    if (!excluded.empty())
        std::printf("--gtest_filter=-%s\n", excluded.c_str());
    return 0;
}

int printReport(bool quick) {
    std::printf("Keyvane test pack on %s\n\n", systemLine().c_str());
    std::string notes, stale, troubled;
    const std::vector<std::string> programs = programsHere();
    for (const Rule& rule : kRules)
        if (std::find(programs.begin(), programs.end(), rule.program) == programs.end())
            stale += std::string("  the pack's rules name ") + rule.program + ", which it lacks\n";
    for (const std::string& program : programs) {
        const std::string results = "results\\" + program;
        std::vector<std::string> tests = listedTests(readFile(results + ".list"));
        bool skipped = false;
        for (const Rule& rule : kRules) {
            if (program != rule.program)
                continue;
            for (const std::string& pattern : split(rule.tests, ':')) {
                // A program that could not even list its tests is reported below.
                bool named = tests.empty() || pattern.empty() || pattern == "*";
                for (const std::string& test : tests)
                    named = named || matches(pattern.c_str(), test.c_str());
                if (!named)
                    stale += "  the pack's rules name " + program + " " + pattern +
                             ", which that program no longer has\n";
            }
            if (!applies(rule, quick))
                continue;
            if (std::strcmp(rule.tests, "*") == 0) {
                std::printf("%s: not run: %s\n", program.c_str(), rule.why);
                skipped = true;
            } else if (*rule.tests != '\0') {
                notes += "  " + program + ": not run here: " + rule.tests + ": " + rule.why + "\n";
            } else {
                notes += "  " + program + ": " + rule.why + "\n";
            }
        }
        if (skipped)
            continue;
        bool found = false;
        std::string xml = readFile(results + ".xml", &found);
        if (!found) {
            // cmd gives the exit code in decimal; Windows' status codes read better in hex.
            bool ran = false;
            long long code = std::strtoll(readFile(results + ".exit", &ran).c_str(), nullptr, 10);
            std::printf("%s: no results (it ended with exit code 0x%08lX before writing them); "
                        "its output is in %s.log\n",
                        program.c_str(), ran ? static_cast<unsigned long>(code) : 0xFFFFFFFFul,
                        results.c_str());
            troubled += " " + program;
            continue;
        }
        Counts counts = readResults(xml);
        std::printf("%s: %d passed, %d failed, %d skipped\n%s", program.c_str(), counts.passed,
                    counts.failed, counts.skipped, counts.failures.c_str());
        if (counts.failed > 0)
            troubled += " " + program;
    }
    if (!notes.empty())
        std::printf("\nWhat did not run here, or ran only in part:\n%s", notes.c_str());
    if (!stale.empty())
        std::printf("\nThe pack is out of date:\n%s", stale.c_str());
    if (troubled.empty() && stale.empty()) {
        std::printf("\nNo failures.\n");
        return 0;
    }
    std::printf("\nFailures in:%s\n", troubled.empty() ? " (none; see above)" : troubled.c_str());
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    bool quick = argc > 1 && _stricmp(argv[argc - 1], "/quick") == 0;
    if (argc >= 3 && std::strcmp(argv[1], "args") == 0)
        return printArguments(argv[2], quick);
    if (argc >= 2 && std::strcmp(argv[1], "report") == 0)
        return printReport(quick);
    std::fputs("usage: pack_report args PROGRAM [/quick] | pack_report report [/quick]\n", stderr);
    return 2;
}
