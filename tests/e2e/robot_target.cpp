// robot_target.exe: a small dialog program for the robot's own test. Every control tells what
// happened to it in the status line, so the test sees what the robot did.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/e2e/robot_target.h"

extern "C" __declspec(dllimport) const char* robotTargetTitle();

namespace {
bool ignoreClose = false;
int changes = 0;

std::string programDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string itemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void setStatus(HWND dialog, const std::string& status) {
    SetDlgItemTextA(dialog, IDC_STATUS, status.c_str());
}

void copyToClipboard(HWND dialog, const std::string& text) {
    if (!OpenClipboard(dialog))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    HGLOBAL marker = GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(GlobalLock(marker)) = 1;
    GlobalUnlock(marker);
    SetClipboardData(RegisterClipboardFormatA("RobotMarker"), marker);
    CloseClipboard();
}

INT_PTR CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowTextA(box, robotTargetTitle());
        SetDlgItemTextA(box, 2001, reinterpret_cast<const char*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) >= 2000 && LOWORD(wParam) <= 2003) {
        EndDialog(box, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void onCommand(HWND dialog, int id, int code) {
    char status[300];
    switch (id) {
    case IDC_EDIT:
        if (code == EN_CHANGE) {
            std::snprintf(status, sizeof status, "%d:%s", ++changes,
                          itemText(dialog, IDC_EDIT).c_str());
            setStatus(dialog, status);
        }
        break;
    case IDC_LIST:
        if (code == LBN_SELCHANGE) {
            auto row = SendDlgItemMessageA(dialog, IDC_LIST, LB_GETCURSEL, 0, 0);
            char text[256] = "";
            SendDlgItemMessageA(dialog, IDC_LIST, LB_GETTEXT, static_cast<WPARAM>(row),
                                reinterpret_cast<LPARAM>(text));
            std::snprintf(status, sizeof status, "row %d %s", static_cast<int>(row), text);
            setStatus(dialog, status);
        }
        break;
    case IDC_ASK: {
        std::string question = itemText(dialog, IDC_EDIT);
        INT_PTR answer =
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BOX), dialog, boxProc,
                            reinterpret_cast<LPARAM>(question.c_str()));
        std::snprintf(status, sizeof status, "answer %d", static_cast<int>(answer));
        setStatus(dialog, status);
        break;
    }
    case IDC_COPY:
        copyToClipboard(dialog, itemText(dialog, IDC_EDIT));
        break;
    case IDOK: // Return and Escape, turned into commands by the dialog manager
        setStatus(dialog, "IDOK");
        break;
    case IDCANCEL:
        setStatus(dialog, "IDCANCEL");
        break;
    default:
        break;
    }
}

// On close: the edit's text goes to Data\Out, and the program ends with exit code 7.
void onClose(HWND dialog) {
    if (ignoreClose)
        return;
    std::string data = programDir() + "\\Data";
    CreateDirectoryA(data.c_str(), nullptr);
    if (std::FILE* out = std::fopen((data + "\\Out").c_str(), "wb")) {
        std::string text = itemText(dialog, IDC_EDIT);
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    EndDialog(dialog, 7);
}

INT_PTR CALLBACK targetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextA(dialog, robotTargetTitle());
        for (const char* row : {"alpha", "ベータ"})
            SendDlgItemMessageA(dialog, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        // A prepared Data\Seed file becomes the third row.
        if (std::FILE* seed = std::fopen((programDir() + "\\Data\\Seed").c_str(), "rb")) {
            char row[256] = "";
            row[std::fread(row, 1, sizeof row - 1, seed)] = '\0';
            std::fclose(seed);
            SendDlgItemMessageA(dialog, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        }
        CheckDlgButton(dialog, IDC_CHECK, BST_CHECKED);
        return TRUE;
    }
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        onClose(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ignoreClose = std::strstr(commandLine, "--ignore-close") != nullptr;
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TARGET), nullptr, targetProc, 0));
}
