#include "app/keyvane_app.h"

#include <commctrl.h>

#include <cstring>

#include "core/app_message.h"
#include "msgbox/chimebox.h"
#include "core/data_files.h"
#include "app/dialogs/main_window.h"
#include "app/look.h"
#include "core/program_info.h"
#include "app/resources/resource.h"
#include "framework/wide_text.h"

KeyvaneApp keyvaneApp;

namespace {
// Marks the one running instance; never waited on.
const wchar_t kInstanceMutexName[] = L"KEYVANE_1020";

// Every message of the program appears in the Chimebox message box, in the dialogs' colour.
int showInMessageBox(const char* text, int type) {
    return BootMsgBox(text, kProductName, type, 1, dialogColor);
}

// The program's path through the wide-character function, in UTF-8, so that any folder name
// survives whatever the system's code page.
void fillProgramInfo() {
    std::memset(&programInfo, 0, sizeof programInfo);
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A path cut to fit would name another folder: keep none, and so write no data anywhere.
    if (length == 0 || length >= MAX_PATH ||
        !utf8FromWide(path, programInfo.modulePath, sizeof programInfo.modulePath))
        programInfo.modulePath[0] = '\0';
    buildProgramInfo(programInfo.modulePath, programInfo, kNoticeYear);
}
} // namespace

bool KeyvaneApp::InitInstance() {
    InitCommonControls();
    setMessageHandler(showInMessageBox);
    fillProgramInfo();
    createPalette();
    createFontSet();

    // One call both tests and marks, so two starts at the same moment cannot both run on.
    HANDLE instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    if (instanceMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex);
        return false;
    }

    initDataStore(programInfo.programDir);
    dialogBrush = palette.paleBlue;
    dialogColor = kDialogColor;

    {
        MainWindow mainWindow;
        setMainWindow(&mainWindow);
        mainWindow.DoModal();
        setMainWindow(nullptr);
    }

    shutdownDataStore(); // nothing is written: every change was saved when it was made
    if (instanceMutex != nullptr)
        ReleaseMutex(instanceMutex);
    return false;
}
