#include "app/keyvane_app.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "core/app_message.h"
#include "core/command_line.h"
#include "msgbox/chimebox.h"
#include "core/data_files.h"
#include "app/dialogs/main_window.h"
#include "app/look.h"
#include "app/message_owner.h"
#include "core/program_info.h"
#include "app/process_guard_win.h"
#include "app/resources/resource.h"
#include "framework/screen_capture.h"
#include "framework/system_library.h"
#include "framework/wide_text.h"

KeyvaneApp keyvaneApp;

namespace {
// Marks the one running instance; never waited on.
const wchar_t kInstanceMutexName[] = L"KEYVANE_1020";
// Beyond the longest path Windows takes.
constexpr DWORD kMaxModulePathUnits = 65536;

// Every message of the program appears in the Chimebox message box, in the dialogs' colour,
// over the main window or where it will open.
struct ChimeboxMessages : MessageBoxes {
    int show(const char* text, int type) override {
        return BootMsgBox(text, kProductName, type, 1, dialogColor);
    }
} chimebox;
OverMainWindow messageBoxesOverMainWindow(chimebox);

// The program's path through the wide-character function, in UTF-8, so that any folder name
// survives whatever the system's code page, and whole at any length Windows allows: a path cut
// to fit would name another folder.
void fillProgramInfo() {
    programInfo = ProgramInfo{};
    DWORD capacity = MAX_PATH;
    for (;;) {
        auto* path = static_cast<wchar_t*>(std::malloc(capacity * sizeof(wchar_t)));
        DWORD length = path != nullptr ? GetModuleFileNameW(nullptr, path, capacity) : 0;
        bool whole = length > 0 && length < capacity;
        if (whole)
            utf8FromWide(path, programInfo.modulePath);
        std::free(path);
        // Windows fills the buffer to the brim when the path does not fit.
        if (whole || length != capacity || capacity >= kMaxModulePathUnits)
            break;
        capacity *= 2;
    }
    buildProgramInfo(programInfo.modulePath, programInfo, kNoticeYear);
}
} // namespace

bool KeyvaneApp::InitInstance() {
    restrictDllSearchToSystem();
    // No window of ours appears in screenshots, recordings or shared screens, unless this run
    // is for remote support or a recording. Chimebox's boxes follow the window they are over.
    if (!hasSwitch(GetCommandLineW(), "allowcapture"))
        setCaptureRule(CaptureRule::Exclude);
    InitCommonControls();
    // Before the PIN is typed: other programs of this user cannot read or change our memory.
    closeProcessToOthers();
    setMessageBoxes(&messageBoxesOverMainWindow);
    fillProgramInfo();
    createPalette();

    // One call both tests and marks, so two starts at the same moment cannot both run on.
    HANDLE instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    if (instanceMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex);
        return false;
    }

    // COM on this thread: the screen readers' names for our controls are given through it, and
    // the shell asks for it before it opens addresses and files.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    // The colours first: the store tells at start when the Data folder cannot be used.
    dialogBrush = palette[OurColour::DialogFace];
    dialogColor = rgbOf(OurColour::DialogFace);
    initDataStore(programInfo.programDir);

    {
        MainWindow mainWindow;
        setMainWindow(&mainWindow);
        mainWindow.DoModal();
        setMainWindow(nullptr);
    }

    shutdownDataStore(); // nothing is written: every change was saved when it was made
    if (instanceMutex != nullptr)
        ReleaseMutex(instanceMutex);
    if (SUCCEEDED(com))
        CoUninitialize();
    return false;
}
