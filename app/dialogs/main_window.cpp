#include "app/dialogs/main_window.h"

#include <cstdio>
#include <cstring>

#include "app/absence_signals.h"
#include "app/dialogs/about_box.h"
#include "core/app_message.h"
#include "app/clipboard.h"
#include "core/data_files.h"
#include "app/dialogs/entry_editor.h"
#include "core/file_ops.h"
#include "app/look.h"
#include "app/dialogs/pin_prompt.h"
#include "core/program_info.h"
#include "app/resources/resource.h"
#include "app/shell_open.h"
#include "core/store_operations.h"
#include "framework/window_dpi.h"

const CommandBinding<MainWindow> MainWindow::kCommands[] = {
    {IDC_MAIN_EXIT, BN_CLICKED, &MainWindow::onExitClicked},
    {IDC_MAIN_EDIT, BN_CLICKED, &MainWindow::onEditClicked},
    {IDC_MAIN_LIST, LBN_SELCHANGE, &MainWindow::onSelectionChanged},
    {IDC_MAIN_ID_FIELD, STN_CLICKED, &MainWindow::onIdFieldClicked},
    {IDC_MAIN_PASSWORD_FIELD, STN_CLICKED, &MainWindow::onPasswordFieldClicked},
    {IDC_MAIN_LOGIN, BN_CLICKED, &MainWindow::onLoginClicked},
    {IDC_MAIN_WEB, BN_CLICKED, &MainWindow::onWebClicked},
    {ID_APP_ABOUT, 0, &MainWindow::onHelpAbout},
    {ID_HELP_MANUAL, 0, &MainWindow::onHelpManual},
    {ID_HELP_WEB_SUPPORT, 0, &MainWindow::onHelpWebSupport},
    {ID_HELP_MAIL_INQUIRY, 0, &MainWindow::onHelpMailInquiry},
    {kHelpCommand, 0, &MainWindow::onHelpKey},
    {ID_KEY_COPY_ID, kAcceleratorCode, &MainWindow::onIdFieldClicked},
    {ID_KEY_COPY_PASSWORD, kAcceleratorCode, &MainWindow::onPasswordFieldClicked},
    {ID_KEY_OPEN_WEB, kAcceleratorCode, &MainWindow::onOpenWebKey},
};

namespace {
constexpr UINT_PTR kLogoutTimer = 1;
constexpr UINT kLogoutTimerPeriodMs = 1000;
// A copied ID or password leaves the clipboard again after this long.
constexpr UINT_PTR kClipboardTimer = 2;
constexpr UINT kClipboardClearMs = 30000;

const char kClipboardOpenFailed[] = "クリップボードが開けません。";
const char kClipboardEmptyFailed[] = "クリップボードをクリア出来ませんでした。";
const char kClipboardSetFailed[] = "クリップボードにデータをセット出来ません。";
const char kBrowserFailed[] = "ブラウザ起動に問題がありました。";
const char kNoManual[] = "マニュアルがありません。";

} // namespace

MainWindow::MainWindow()
    : KeyFilteredDialog(IDD_MAIN_WINDOW, kCommands),
      keys_(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_KEYS))) {}

MainWindow::~MainWindow() {
    clearClipboardIfUnchanged(nullptr, copiedChangeCount_);
}

bool MainWindow::PreTranslateMessage(MSG* msg) {
    bool forUs = msg->hwnd == hwnd() || IsChild(hwnd(), msg->hwnd);
    if (forUs && keys_ != nullptr && TranslateAcceleratorW(hwnd(), keys_, msg))
        return true;
    return KeyFilteredDialog::PreTranslateMessage(msg);
}

void MainWindow::DoDataExchange() {
    bind(list_, IDC_MAIN_LIST);
}

void MainWindow::OnDpiLook(int dpi) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    // The window lets go of the icons it had before they are destroyed.
    HICON bigIcon = loadIconForDpi(module, IDI_KEYVANE, SM_CXICON, dpi);
    HICON smallIcon = loadIconForDpi(module, IDI_KEYVANE, SM_CXSMICON, dpi);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    icon_.attach(bigIcon);
    smallIcon_.attach(smallIcon);

    const FontSet& fonts = fontSetFor(dpi);
    list_.setFont(fonts.pMincho13Medium());
    setItemFont(IDC_MAIN_ID_FIELD, fonts.gothic12());
    setItemFont(IDC_MAIN_PASSWORD_FIELD, fonts.gothic12());
    setItemFont(IDC_MAIN_ID_LABEL, fonts.gothic12Bold());
    setItemFont(IDC_MAIN_PASSWORD_LABEL, fonts.gothic12Bold());
}

bool MainWindow::OnInitDialog() {
    setTitle(kProductName);

    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    wchar_t aboutItem[128] = L""; // as the string table holds it, in UTF-16
    LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUT_MENU_ITEM, aboutItem, 128);
    if (systemMenu != nullptr && aboutItem[0] != L'\0') {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUT_BOX, aboutItem);
    }
    nameItem(IDC_MAIN_LIST, kListNameForReaders); // it has no label for a screen reader to find
    placeCentred();

    if (promptForPin() != 0) {
        EndModal(-1);
        return true;
    }
    loadEntryList();
    makeTopmost();
    refreshList();
    // From here on, not before: a start-up prompt closed for a lock would end the program.
    startedUp_ = true;
    watchForAbsence();
    return true;
}

int MainWindow::promptForPin() {
    countdown_.stop();
    if (!pinIsStored())
        return 0; // no PIN yet: nothing to ask
    PinPrompt prompt;
    if (prompt.DoModal() != 0) { // logged out
        takeCopyOffClipboard();
        return -1;
    }
    countdown_.start();
    if (startedUp_) // the start-up's own login registers when OnInitDialog is through
        watchForAbsence();
    return 0;
}

// Windows may refuse session notifications early after sign-in, until its Remote Desktop
// Services are ready: every login tries again what is still missing.
void MainWindow::watchForAbsence() {
    AbsenceSignals& signals = absenceSignals();
    if (!sessionWatched_)
        sessionWatched_ = signals.watchSession(hwnd());
    if (lidWatch_ == nullptr)
        lidWatch_ = signals.watchLid(hwnd());
}

void MainWindow::refreshList() {
    setItemText(IDC_MAIN_ID_FIELD, "");
    setItemText(IDC_MAIN_PASSWORD_FIELD, "");
    highlightField_ = kNoField;
    int32_t rows = entriesVisible() ? entryTable.count : 0;
    list_.beginFill(rows, static_cast<std::size_t>(rows) * sizeof(EntryRecord::name));
    for (int32_t i = 0; i < rows; ++i)
        list_.append(entryTable.records[i].name);
    list_.endFill();
    enableItem(IDC_MAIN_WEB, false);
    updateLoginButton();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void MainWindow::updateLoginButton() {
    setItemText(IDC_MAIN_LOGIN, loginButtonCaption());
    enableItem(IDC_MAIN_LOGIN, loginButtonEnabled());
}

int MainWindow::showMessage(const char* text, int type) {
    countdown_.pause();
    int result = appMessageBox(text, type);
    countdown_.resume();
    return result;
}

void MainWindow::onEditClicked() {
    if (promptForPin() == 0) {
        countdown_.stop();
        EntryEditor editor;
        editor.DoModal();
        if (pinIsStored())
            countdown_.start();
    }
    refreshList();
}

void MainWindow::onLoginClicked() {
    switch (loginState) {
    case LoginState::LoggedIn:
        logOut();
        countdown_.stop();
        takeCopyOffClipboard();
        break;
    case LoginState::LoggedOut:
        if (promptForPin() == 0)
            loadEntryList();
        break;
    case LoginState::Unset:
        break;
    }
    refreshList();
}

void MainWindow::onSelectionChanged() {
    int row = list_.selection();
    if (row < 0 || row >= entryTable.count)
        return;
    const EntryRecord& entry = entryTable.records[row];
    setItemText(IDC_MAIN_ID_FIELD, entry.id);
    char stars[sizeof entry.password];
    std::size_t length = std::strlen(entry.password); // bytes: a double-byte character is two
    std::memset(stars, '*', length);
    stars[length] = '\0';
    setItemText(IDC_MAIN_PASSWORD_FIELD, stars);
    enableItem(IDC_MAIN_WEB, entry.url[0] != '\0');
    highlightField_ = kNoField;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void MainWindow::copyField(Field which) {
    int row = list_.selection();
    if (row < 0 || row >= entryTable.count)
        return;
    // Saved at once, also when there is nothing to copy. A failed save's message runs a loop of
    // its own while the countdown goes on: behind it the user may have been logged out.
    if (markEntryUsed(row) != 0 && !entriesVisible())
        return;

    const EntryRecord& entry = entryTable.records[row];
    static_assert(sizeof entry.id == sizeof entry.password);
    char text[sizeof entry.password];
    copyText(text, sizeof text, which == kIdField ? entry.id : entry.password);
    if (text[0] == '\0')
        return;
    highlightField_ = which;
    InvalidateRect(hwnd(), nullptr, FALSE);

    copyToClipboardFor30Seconds(text);
    SecureZeroMemory(text, sizeof text);
}

void MainWindow::copyToClipboardFor30Seconds(const char* text) {
    switch (copyToClipboard(hwnd(), text)) {
    case ClipboardResult::Copied:
        copiedChangeCount_ = clipboardChangeCount();
        SetTimer(hwnd(), kClipboardTimer, kClipboardClearMs, nullptr); // again from 30
        break;
    case ClipboardResult::CannotOpen:
        showMessage(kClipboardOpenFailed, kMbOk);
        break;
    case ClipboardResult::CannotEmpty:
        showMessage(kClipboardEmptyFailed, kMbOk);
        break;
    case ClipboardResult::CannotSet:
        showMessage(kClipboardSetFailed, kMbOk);
        break;
    }
}

// Ctrl+U does what a click on Web does, and nothing while the button is disabled.
void MainWindow::onOpenWebKey() {
    if (IsWindowEnabled(item(IDC_MAIN_WEB)))
        onWebClicked();
}

void MainWindow::onWebClicked() {
    int row = list_.selection();
    if (row < 0 || row >= entryTable.count)
        return;
    if (!shellOpen("open", entryTable.records[row].url))
        showMessage(kBrowserFailed, kMbOk);
}

bool MainWindow::OnSysCommand(UINT command, LPARAM /*lParam*/) {
    if ((command & 0xFFF0) != IDM_ABOUT_BOX)
        return false;
    AboutBox box; // the countdown keeps running behind it
    box.DoModal();
    return true;
}

void MainWindow::onHelpAbout() {
    AboutBox box;
    countdown_.pause();
    box.DoModal();
    countdown_.resume();
}

void MainWindow::onHelpManual() {
    HeapText manualPath;
    bool formed = manualPath.format("%s\\Manual\\index.html", programInfo.programDir.get());
    if (!formed || !pathExists(manualPath)) {
        showMessage(kNoManual, kMbOk);
        return;
    }
    ShowWindow(hwnd(), SW_MINIMIZE);
    // The shell has limits of its own on a path's length: beyond them, the same message.
    if (!shellOpenFile("open", manualPath))
        showMessage(kBrowserFailed, kMbOk);
}

// F1 opens the manual, as the Help menu does, but only while no other dialog is up over the
// main window: a message about a missing manual would restart a countdown the dialog stopped.
void MainWindow::onHelpKey() {
    if (IsWindowEnabled(hwnd()) && IsWindowVisible(hwnd()))
        onHelpManual();
}

void MainWindow::onHelpWebSupport() {
    ShowWindow(hwnd(), SW_MINIMIZE);
    if (!shellOpen("open", programInfo.supportUrl))
        showMessage(kBrowserFailed, kMbOk);
}

void MainWindow::onHelpMailInquiry() {
    ShowWindow(hwnd(), SW_MINIMIZE);
    char address[128];
    const int32_t* version = programInfo.fileVersion;
    formatText(address, sizeof address, "mailto:%s?subject=【%s Ver%d%d%d%d】問合せ",
               programInfo.authorMail, kProductName, version[0], version[1], version[2],
               version[3]);
    shellOpen(nullptr, address); // no mail program: nothing to say
}

HBRUSH MainWindow::OnCtlColor(HDC dc, HWND control, int kind) {
    if (kind == kCtlColorDialog)
        return paintAs(dc, Painted::DialogFace);
    switch (GetDlgCtrlID(control)) {
    case IDC_MAIN_LIST:
        return paintAs(dc, Painted::List);
    case IDC_MAIN_ID_FIELD:
    case IDC_MAIN_PASSWORD_FIELD: {
        bool highlighted = highlightField_ ==
                           (GetDlgCtrlID(control) == IDC_MAIN_ID_FIELD ? kIdField : kPasswordField);
        return paintAs(dc, highlighted ? Painted::CopiedField : Painted::Field);
    }
    case IDC_MAIN_ID_LABEL:
    case IDC_MAIN_PASSWORD_LABEL:
    case IDC_MAIN_EXIT:
    case IDC_MAIN_EDIT:
    case IDC_MAIN_LOGIN:
    case IDC_MAIN_WEB:
        paintAs(dc, Painted::DialogFace); // the face's text colour, drawn on the face itself
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    default:
        return Dialog::OnCtlColor(dc, control, kind);
    }
}

void MainWindow::takeCopyOffClipboard() {
    KillTimer(hwnd(), kClipboardTimer);
    clearClipboardIfUnchanged(hwnd(), copiedChangeCount_);
}

bool MainWindow::OnTimer(UINT_PTR timerId) {
    if (timerId == kClipboardTimer) {
        takeCopyOffClipboard();
        return true;
    }
    if (timerId == kLogoutTimer)
        countdown_.tick();
    return false; // and the default processing
}

bool MainWindow::OnPaint() {
    if (!IsIconic(hwnd()))
        return false;
    PaintDC dc(hwnd());
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    int size = systemMetricForDpi(SM_CXICON, dpi());
    int x = (client.right - client.left - size + 1) / 2;
    int y = (client.bottom - client.top - size + 1) / 2;
    DrawIconEx(dc.get(), x, y, icon_.get(), size, size, 0, nullptr, DI_NORMAL);
    return true;
}

bool MainWindow::OnClose() {
    countdown_.stop();
    return false; // and the default processing, which closes the window
}

void MainWindow::OnCancel() {
    end(IDCANCEL);
}

void MainWindow::end(INT_PTR result) {
    if (sessionWatched_)
        absenceSignals().unwatchSession(hwnd());
    if (lidWatch_ != nullptr)
        absenceSignals().unwatchLid(lidWatch_);
    sessionWatched_ = false;
    lidWatch_ = nullptr;
    EndModal(result);
}

bool MainWindow::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_LOCK || wParam == WTS_CONSOLE_DISCONNECT ||
            wParam == WTS_REMOTE_DISCONNECT)
            logOutForAbsence();
        return false;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND) // Windows gives about two seconds: this comes first
            logOutForAbsence();
        else
            followLid(lidState(wParam, lParam));
        return false;
    case WM_ENDSESSION: // the process ends without leaving this window's loop
        if (wParam != FALSE)
            takeCopyOffClipboard();
        return false;
    default:
        return false;
    }
}

// Modern Standby laptops may not announce a suspend: closing the lid counts as one. Only a lid
// closed while it was open: the first notification tells the state it is in, and a laptop on a
// dock may run closed all day.
void MainWindow::followLid(int state) {
    if (state < 0)
        return;
    bool closedNow = state == 0 && lidOpen_ == 1;
    lidOpen_ = state;
    if (closedNow)
        logOutForAbsence();
}

// Only where the user asked to be hidden again: with automatic logout on, and a PIN to hide
// behind.
void MainWindow::logOutForAbsence() {
    if (!startedUp_ || setupRecord.autoLogoutOff == 1 || !pinIsStored())
        return;
    endDialogsOwnedBy(hwnd());
    logOut();
    hideAfterLogout();
    countdown_.stop();
}

void MainWindow::startTimer() {
    SetTimer(hwnd(), kLogoutTimer, kLogoutTimerPeriodMs, nullptr);
}

void MainWindow::stopTimer() {
    KillTimer(hwnd(), kLogoutTimer);
}

void MainWindow::hideAfterLogout() {
    refreshList();
    ShowWindow(hwnd(), SW_MINIMIZE);
    takeCopyOffClipboard();
}
