#include "framework/dialog.h"

#include <cstddef>

#include "core/dialog_template.h"
#include "core/window_placement.h"
#include "framework/accessible_names.h"
#include "framework/application.h"
#include "framework/module_registry.h"
#include "framework/screen_capture.h"
#include "framework/system_colours.h"
#include "framework/wide_text.h"
#include "framework/window_dpi.h"

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

bool readTemplate(int templateId, TemplateLayout& layout) {
    HMODULE module = findDialogTemplate(templateId);
    const wchar_t* dialogType = MAKEINTRESOURCEW(5); // RT_DIALOG
    HRSRC found = module != nullptr
                      ? FindResourceW(module, MAKEINTRESOURCEW(templateId), dialogType)
                      : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    return bytes != nullptr && readTemplateLayout(bytes, SizeofResource(module, found), layout) &&
           layout.pointSize > 0;
}

// Measured as the dialog manager measures the dialog's font.
DialogBaseUnits baseUnitsOf(HFONT font) {
    ClientDC screen(nullptr);
    SelectObjectScope select(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    SIZE alphabet{};
    GetTextExtentPoint32W(screen.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    return dialogBaseUnits(alphabet.cx, metrics.tmHeight);
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
    if (hwnd_ == nullptr) {
        running_ = false;
        if (reenableOwner)
            EnableWindow(owner, TRUE);
        return -1;
    }

    if (running_ && !IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, SW_SHOWNORMAL);

    MSG msg;
    while (running_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) { // msg holds nothing: end the dialog as if it could not run
            result_ = -1;
            break;
        }
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit to the outer loop
            break;
        }
        if (!preTranslateDialogMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Enable the owner before the dialog goes, so that activation returns to it.
    if (reenableOwner)
        EnableWindow(owner, TRUE);
    if (owner != nullptr && GetActiveWindow() == hwnd_)
        SetActiveWindow(owner);
    clearItemNames();
    RemovePropW(hwnd_, kDialogProperty);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    ownTemplateFont_.reset();
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
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

INT_PTR Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == endAsClosedMessage()) {
        endAsClosed();
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        // Before anything can show the window, so that no frame of it is ever captured.
        if (!isChild(hwnd_))
            applyCaptureRule(hwnd_);
        dpi_ = windowDpi(hwnd_);
        templateFont_ = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
        keepDialogScalingOurs(hwnd_);
        bindControls();
        OnDpiLook(dpi_);
        return OnInitDialog() ? TRUE : FALSE;
    case kGetDpiScaledSize: {
        SIZE size = windowSizeForDpi(static_cast<int>(LOWORD(wParam)));
        if (size.cx <= 0)
            return FALSE;
        *reinterpret_cast<SIZE*>(lParam) = size;
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DPICHANGED: {
        layOutForDpi(static_cast<int>(HIWORD(wParam)));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (OnCommand(id, code))
            return TRUE;
        return Dialog::OnCommand(id, code) ? TRUE : FALSE;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        // Dialog procedures return the brush itself for these messages.
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    static_cast<int>(message - WM_CTLCOLORMSGBOX)));
    case WM_SYSCOLORCHANGE: // sent to top-level windows only, each of which repaints itself
    case WM_SETTINGCHANGE:  // high contrast switched on or off
        followColourChange(hwnd_);
        return OnOtherMessage(message, wParam, lParam) ? TRUE : FALSE;
    case WM_TIMER:
        return OnTimer(wParam) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam) ? TRUE : FALSE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_CLOSE:
        return OnClose() ? TRUE : FALSE;
    case WM_HELP:
        return requestHelp() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        // Returned directly, like the colour brushes.
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    default:
        return OnOtherMessage(message, wParam, lParam) ? TRUE : FALSE;
    }
}

// What the close box gives, at once rather than posted: the handler's own WM_CLOSE, else the
// Cancel that the default processing would post. Ended, the window goes out of sight as the
// system's EndDialog takes it.
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

HFONT Dialog::createTemplateFont(int pointSize, int dpi) const {
    LOGFONTW font{};
    if (templateFont_ == nullptr || GetObjectW(templateFont_, sizeof font, &font) == 0)
        return nullptr;
    font.lfHeight = dialogFontHeight(pointSize, dpi);
    return CreateFontIndirectW(&font);
}

SIZE Dialog::windowSizeForDpi(int dpi) const {
    TemplateLayout layout;
    if (!readTemplate(templateId_, layout))
        return {0, 0};
    Font font(createTemplateFont(layout.pointSize, dpi));
    if (!font)
        return {0, 0};
    UnitRect client = mapDialogUnits(layout.rect, baseUnitsOf(font.get()));
    RECT frame = windowRectForClient(
        {0, 0, client.cx, client.cy}, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
        GetMenu(hwnd_) != nullptr, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// As the dialog manager lays the template out when it creates the dialog, at dpi: the
// template's font, and each control at its rectangle in that font's dialog units.
void Dialog::layOutForDpi(int dpi) {
    dpi_ = dpi;
    TemplateLayout layout;
    HFONT font =
        readTemplate(templateId_, layout) ? createTemplateFont(layout.pointSize, dpi) : nullptr;
    if (font != nullptr) {
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == templateFont_)
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        templateFont_ = font;
        ownTemplateFont_.attach(font); // the one it replaces is no control's any more
        DialogBaseUnits units = baseUnitsOf(font);
        for (int i = 0; i < layout.itemCount; ++i) {
            UnitRect rect = mapDialogUnits(layout.items[i].rect, units);
            SetWindowPos(item(layout.items[i].id), nullptr, rect.x, rect.y, rect.cx, rect.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    OnDpiLook(dpi);
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

bool Dialog::getItemText(int id, char* buffer, std::size_t size) const {
    return windowText(item(id), buffer, size);
}

void Dialog::setItemText(int id, const char* text) const {
    SetDlgItemTextW(hwnd_, id, WideText(text).get());
}

void Dialog::setTitle(const char* text) const {
    SetWindowTextW(hwnd_, WideText(text).get());
}

void Dialog::enableItem(int id, bool enabled) const {
    EnableWindow(item(id), enabled ? TRUE : FALSE);
}

void Dialog::showItem(int id, bool shown) const {
    ShowWindow(item(id), shown ? SW_SHOW : SW_HIDE);
}

void Dialog::nameItemAfterLabel(int id, int labelId) {
    nameItem(id, WideText(item(labelId)));
}

void Dialog::nameItem(int id, const char* name) {
    nameItem(id, WideText(name));
}

void Dialog::nameItem(int id, const WideText& name) {
    if (namedItemCount_ < static_cast<int>(sizeof namedItems_ / sizeof namedItems_[0]) &&
        accessibleNames().set(item(id), name.get()))
        namedItems_[namedItemCount_++] = id;
}

void Dialog::clearItemNames() {
    for (int i = 0; i < namedItemCount_; ++i)
        accessibleNames().clear(item(namedItems_[i]));
    namedItemCount_ = 0;
}

void Dialog::setItemFont(int id, HFONT font) const {
    SendDlgItemMessageW(hwnd_, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

namespace {
ScreenRect screenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Up to kMaxMonitors, the primary one first: a window without an owner opens there. No standard
// containers: the message-box library links this layer too, and stays small.
constexpr std::size_t kMaxMonitors = 16;
struct Monitors {
    DisplayMonitor list[kMaxMonitors];
    std::size_t count;
};

BOOL CALLBACK collectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM found) {
    auto& monitors = *reinterpret_cast<Monitors*>(found);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitors.count == kMaxMonitors || !GetMonitorInfoW(handle, &info))
        return TRUE;
    DisplayMonitor monitor{screenRect(info.rcMonitor), screenRect(info.rcWork)};
    std::size_t at = monitors.count++;
    if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
        monitors.list[at] = monitors.list[0];
        at = 0;
    }
    monitors.list[at] = monitor;
    return TRUE;
}

void displayMonitors(Monitors& monitors) {
    monitors.count = 0;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.count == 0) { // no answer: the primary monitor as the system gives it
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        monitors.list[monitors.count++] = {screenRect(info.rcMonitor), screenRect(info.rcWork)};
    }
}
} // namespace

void Dialog::centerWindow() const {
    Monitors monitors;
    displayMonitors(monitors);
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    ScreenRect around{};
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        RECT rect;
        GetWindowRect(owner, &rect);
        around = screenRect(rect);
    } else if (owner != nullptr) {
        // Hidden or minimised: the monitor it was shown on, which the system remembers.
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &info);
        around = screenRect(info.rcWork);
    }
    // Moved onto a monitor at another DPI, the window lays itself out again at another size:
    // that size is centred once more.
    SIZE placed{0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        RECT box;
        GetWindowRect(hwnd_, &box);
        if (box.right - box.left == placed.cx && box.bottom - box.top == placed.cy)
            break;
        placed = {box.right - box.left, box.bottom - box.top};
        ScreenPoint at = placeCentred(placed.cx, placed.cy, owner != nullptr ? &around : nullptr,
                                      monitors.list, monitors.count);
        SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Dialog::makeTopmost() const {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
