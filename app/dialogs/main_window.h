// The program's only top-level window: the entry list, the selected entry's ID and masked
// password (a click copies either), the Web, Login/Logout, Edit and Exit buttons, and the
// logout countdown in the title.
#pragma once

#include "app/dialogs/key_filter.h"
#include "core/login.h"

class MainWindow : public KeyFilteredDialog<MainWindow>, private LogoutTimerHost {
public:
    MainWindow();
    // Takes a copied secret off the clipboard if it is still there.
    ~MainWindow() override;

    // Ctrl+B, Ctrl+C and Ctrl+U, then the shared Return/Escape filter.
    bool PreTranslateMessage(MSG* msg) override;

    // The message box, with the countdown paused while it is up.
    int showMessage(const char* text, int type);

protected:
    void DoDataExchange() override;
    // The fonts, and the icons at the sizes of dpi.
    void OnDpiLook(int dpi) override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, int kind) override;
    bool OnTimer(UINT_PTR timerId) override;
    bool OnPaint() override;
    bool OnSysCommand(UINT command, LPARAM lParam) override;
    HICON OnQueryDragIcon() override { return icon_.get(); }
    bool OnClose() override;
    void OnCancel() override;
    // Windows locking, disconnecting, sleeping, and the end of the session.
    bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static const CommandBinding<MainWindow> kCommands[];

    enum Field : int { kNoField = -1, kIdField = 0, kPasswordField = 1 };

    void onExitClicked() { end(0); }
    void onEditClicked();
    void onLoginClicked();
    void onSelectionChanged();
    void onIdFieldClicked() { copyField(kIdField); }
    void onPasswordFieldClicked() { copyField(kPasswordField); }
    void onWebClicked();
    void onOpenWebKey();
    // The Help menu, and F1.
    void onHelpAbout();
    void onHelpManual();
    void onHelpWebSupport();
    void onHelpMailInquiry();
    void onHelpKey();

    // Runs the PIN prompt when a PIN exists; 0 may proceed, -1 cancelled.
    int promptForPin();
    void refreshList();
    void updateLoginButton();
    void copyField(Field which);
    void copyToClipboardFor30Seconds(const char* text);
    // Empties the clipboard if it still holds the copy made here: the entries are hidden again.
    void takeCopyOffClipboard();
    // Nobody may be watching: every dialog over the window is closed as its Cancel or close box
    // would, and the user is logged out as at the end of the countdown.
    void logOutForAbsence();
    // Registers for the session's changes and the lid's, where not registered yet.
    void watchForAbsence();
    // A lid state from a power notification (-1: none).
    void followLid(int state);
    void end(INT_PTR result);

    // The countdown's seam.
    void startTimer() override;
    void stopTimer() override;
    uint64_t millisecondsNow() override { return GetTickCount64(); }
    void showCountdown(const char* title) override { setTitle(title); }
    void hideAfterLogout() override;

    ListBox list_;
    Icon icon_;
    Icon smallIcon_;
    HACCEL keys_;
    DWORD copiedChangeCount_ = 0;     // the clipboard's counter after the last copy
    bool startedUp_ = false;          // past the start-up login
    bool sessionWatched_ = false;     // for WM_WTSSESSION_CHANGE
    HPOWERNOTIFY lidWatch_ = nullptr; // for the lid's WM_POWERBROADCAST
    int lidOpen_ = -1;                // as last told: 1 open, 0 closed, -1 not yet
    Field highlightField_ = kNoField;
    LogoutCountdown countdown_{*this};
};
