#include "framework/dialog.h"

#include "framework/accessible_names.h"
#include "framework/application.h"
#include "framework/module_registry.h"
#include "framework/window_placement_win.h"
#include "framework/screen_capture.h"
#include "framework/system_colours.h"

namespace {
// Marks our dialog windows with their objects. The program and the message-box library each
// link their own copy of this layer; sharing the name lets either loop reach the other's
// dialogs for pre-translation, as one framework would.
const wchar_t kDialogProperty[] = L"KeyvaneDialog";

bool isChild(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

// Without an application object (a library's own test program): the calling thread's visible
// top-level window that nobody owns.
BOOL CALLBACK findUnownedWindow(HWND hwnd, LPARAM found) {
    if (IsWindowVisible(hwnd) && !isChild(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Asks a dialog of either copy of this layer to end as its close box would (endDialogsOwnedBy);
// the same name gives both copies the same message.
UINT endAsClosedMessage() {
    static const UINT message = RegisterWindowMessageW(L"KeyvaneEndAsClosed");
    return message;
}

// Not declared for Windows 7, which never sends it.
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

INT_PTR handled(bool done) {
    return done ? TRUE : FALSE;
}
} // namespace

Dialog::Dialog(int templateId, Dialog* parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
}

Dialog* Dialog::fromHandle(HWND hwnd) {
    return hwnd != nullptr ? reinterpret_cast<Dialog*>(GetPropW(hwnd, kDialogProperty)) : nullptr;
}

HWND Dialog::defaultOwner() const {
    if (parent_ != nullptr)
        return parent_->hwnd();
    HWND main = nullptr;
    if (Application* app = Application::current()) {
        if (app->mainWindow() != nullptr && app->mainWindow() != this)
            main = app->mainWindow()->hwnd();
    } else {
        EnumThreadWindows(GetCurrentThreadId(), findUnownedWindow, reinterpret_cast<LPARAM>(&main));
    }
    return main != nullptr ? GetLastActivePopup(main) : nullptr;
}

INT_PTR Dialog::DoModal() {
    HMODULE module = findDialogTemplate(templateId_);
    if (module == nullptr)
        return -1;
    HWND owner = defaultOwner();
    // Disabled before the dialog exists, so that nothing reaches the owner during OnInitDialog.
    bool reenableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (reenableOwner)
        EnableWindow(owner, FALSE);
    result_ = -1;
    running_ = true;
    hwnd_ = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId_), owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (hwnd_ != nullptr) {
        if (running_ && !IsWindowVisible(hwnd_))
            ShowWindow(hwnd_, SW_SHOWNORMAL);
        runModalLoop();
    }
    running_ = false;

    // Enable the owner before the dialog goes, so that activation returns to it.
    if (reenableOwner)
        EnableWindow(owner, TRUE);
    if (hwnd_ != nullptr) {
        if (owner != nullptr && GetActiveWindow() == hwnd_)
            SetActiveWindow(owner);
        clearItemNames();
        RemovePropW(hwnd_, kDialogProperty);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    ownTemplateFont_.reset();
    return result_;
}

void Dialog::runModalLoop() {
    MSG msg;
    while (running_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) { // msg holds nothing: end the dialog as if it could not run
            result_ = -1;
            return;
        }
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit to the outer loop
            return;
        }
        if (!preTranslateDialogMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void Dialog::EndModal(INT_PTR result) {
    result_ = result;
    running_ = false;
    // Wake the loop in case the end came from outside a dispatched message.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG* msg) {
    return hwnd_ != nullptr && IsDialogMessageW(hwnd_, msg);
}

bool preTranslateDialogMessage(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = isChild(hwnd) ? GetParent(hwnd) : nullptr) {
        if (Dialog* dialog = Dialog::fromHandle(hwnd))
            if (dialog->PreTranslateMessage(msg))
                return true;
    }
    return false;
}

bool Dialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

HBRUSH Dialog::OnCtlColor(HDC dc, HWND control, int kind) {
    return reinterpret_cast<HBRUSH>(
        DefWindowProcW(hwnd_, static_cast<UINT>(WM_CTLCOLORMSGBOX + kind),
                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->hwnd_ = hwnd;
        SetPropW(hwnd, kDialogProperty, dialog);
    } else {
        dialog = reinterpret_cast<Dialog*>(GetPropW(hwnd, kDialogProperty));
    }
    return dialog != nullptr ? dialog->handleMessage(message, wParam, lParam) : FALSE;
}

// What each message does; whatever is not handled gets the default processing.
INT_PTR Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == endAsClosedMessage())
        return endAsClosed(), TRUE;
    switch (message) {
    case WM_INITDIALOG:
        return handled(initialise());
    case kGetDpiScaledSize:
        return handled(answerScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam)));
    case WM_DPICHANGED:
        return moveToDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)), TRUE;
    case WM_COMMAND:
        return handled(OnCommand(LOWORD(wParam), HIWORD(wParam)) ||
                       Dialog::OnCommand(LOWORD(wParam), HIWORD(wParam)));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: // the brush itself is the answer, as for WM_QUERYDRAGICON's icon
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    static_cast<int>(message - WM_CTLCOLORMSGBOX)));
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_SYSCOLORCHANGE: // sent to top-level windows only, each of which repaints itself
    case WM_SETTINGCHANGE:  // high contrast switched on or off
        followColourChange(hwnd_);
        return handled(OnOtherMessage(message, wParam, lParam));
    case WM_TIMER:
        return handled(OnTimer(wParam));
    case WM_SYSCOMMAND:
        return handled(OnSysCommand(static_cast<UINT>(wParam), lParam));
    case WM_PAINT:
        return handled(OnPaint());
    case WM_CLOSE:
        return handled(OnClose());
    case WM_HELP:
        return handled(requestHelp());
    default:
        return handled(OnOtherMessage(message, wParam, lParam));
    }
}

// Before anything can show the window, so that no frame of it is ever captured; then the look
// at the window's DPI, and the dialog's own start.
bool Dialog::initialise() {
    if (!isChild(hwnd_))
        applyCaptureRule(hwnd_);
    startAtWindowDpi();
    DoDataExchange();
    OnDpiLook(dpi_);
    return OnInitDialog();
}

// What the close box gives, at once rather than posted: the handler's own WM_CLOSE, else the
// Cancel that the default processing would post. Ended, the window goes out of sight as the
// system's own dialogs go.
void Dialog::endAsClosed() {
    if (!running_) // ended already: its answer stands
        return;
    if (!OnClose())
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(item(IDCANCEL)));
    if (!running_)
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
struct OwnedDialogs {
    HWND owner;
    HWND windows[16];
    int depths[16];
    int count;
};

// How many owners lie between window and owner; 0 when owner does not own it.
int ownedDepth(HWND window, HWND owner) {
    int depth = 0;
    for (HWND above = GetWindow(window, GW_OWNER); above != nullptr;
         above = GetWindow(above, GW_OWNER)) {
        ++depth;
        if (above == owner)
            return depth;
    }
    return 0;
}

BOOL CALLBACK collectOwnedDialog(HWND window, LPARAM found) {
    auto& owned = *reinterpret_cast<OwnedDialogs*>(found);
    int depth = Dialog::fromHandle(window) != nullptr ? ownedDepth(window, owned.owner) : 0;
    if (depth > 0 && owned.count < 16) {
        owned.windows[owned.count] = window;
        owned.depths[owned.count++] = depth;
    }
    return TRUE;
}
} // namespace

// Innermost first, so that each dialog's caller sees the answer its close box gives.
void endDialogsOwnedBy(HWND owner) {
    OwnedDialogs owned{owner, {}, {}, 0};
    EnumThreadWindows(GetCurrentThreadId(), collectOwnedDialog, reinterpret_cast<LPARAM>(&owned));
    for (int depth = 16; depth > 0; --depth)
        for (int i = 0; i < owned.count; ++i)
            if (owned.depths[i] == depth)
                SendMessageW(owned.windows[i], endAsClosedMessage(), 0, 0);
}

// F1 is the application's Help command, sent to its main window as a menu would send it.
// Without an application object (a library's dialog) the request goes on to the owner by
// default processing, and so reaches the program's own dialogs.
bool Dialog::requestHelp() const {
    Application* app = Application::current();
    Dialog* main = app != nullptr ? app->mainWindow() : nullptr;
    if (main == nullptr || main->hwnd() == nullptr)
        return false;
    SendMessageW(main->hwnd(), WM_COMMAND, kHelpCommand, 0);
    return true;
}

void Dialog::placeCentred() const {
    ::placeCentred(hwnd_);
}
