// The main window hears of absence however Windows tells it: a lid closed while it was open logs
// out, a refused session registration is tried again at the next login, and only our own
// dialogs are ended. No test can lock Windows or close a lid: the seam answers and the
// notifications are sent as Windows sends them.
#include <gtest/gtest.h>

#include <cstring>

#include "app/absence_signals.h"
#include "app/dialogs/main_window.h"
#include "app/look.h"
#include "app/resources/resource.h"
#include "core/entry_store.h"

namespace {
// Refuses the first session registration, as Windows may early after sign-in.
struct Signals : AbsenceSignals {
    int sessionTries = 0, sessionsWatched = 0, lidsWatched = 0;
    bool watchSession(HWND) override { return ++sessionTries > 1 && ++sessionsWatched > 0; }
    void unwatchSession(HWND) override { --sessionsWatched; }
    HPOWERNOTIFY watchLid(HWND) override { return ++lidsWatched, reinterpret_cast<HPOWERNOTIFY>(1); }
    void unwatchLid(HPOWERNOTIFY) override { --lidsWatched; }
} signals;

void sendLid(HWND main, DWORD state) {
    POWERBROADCAST_SETTING setting{};
    setting.PowerSetting = {0xba3e0f4d, 0xb817, 0x4094, {0xa2, 0xd1, 0xd5, 0x63, 0x79, 0xe6, 0xa0, 0xf3}};
    setting.DataLength = sizeof state;
    std::memcpy(setting.Data, &state, sizeof state);
    SendMessageW(main, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&setting));
}

// Another window of the thread that the main window owns, as the input method's is.
int closesToOthers = 0;
LRESULT CALLBACK otherWindow(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    closesToOthers += message == WM_CLOSE;
    return DefWindowProcW(w, message, wParam, lParam);
}

// On a timer: the PIN whenever it is asked, then each step once the main window is free.
int step = 0;
HWND main = nullptr;
void CALLBACK act(HWND, UINT, UINT_PTR, DWORD) {
    HWND front = GetActiveWindow();
    if (front != nullptr && GetDlgItem(front, IDC_PIN_FIELD) != nullptr) {
        SetDlgItemTextW(front, IDC_PIN_FIELD, L"1234");
        return;
    }
    if (front == nullptr || !IsWindowEnabled(front))
        return;
    switch (step++) {
    case 0:
        main = front;
        EXPECT_EQ(signals.sessionTries, 1);
        EXPECT_EQ(signals.lidsWatched, 1);
        CreateWindowExW(0, L"KeyvaneOther", L"", WS_POPUP, 0, 0, 0, 0, main, nullptr, nullptr, nullptr);
        sendLid(main, 0); // as told at registration: a laptop on a dock
        sendLid(main, 1);
        EXPECT_EQ(loginState, LoginState::LoggedIn);
        sendLid(main, 0);
        EXPECT_EQ(loginState, LoginState::LoggedOut);
        EXPECT_TRUE(IsIconic(main));
        EXPECT_EQ(closesToOthers, 0);
        ShowWindow(main, SW_RESTORE);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_LOGIN, BN_CLICKED), 0);
        break;
    case 1:
        EXPECT_EQ(loginState, LoginState::LoggedIn);
        EXPECT_EQ(signals.sessionTries, 2);
        EXPECT_EQ(signals.sessionsWatched, 1);
        PostMessageW(main, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}
} // namespace

TEST(Absence, TheLidClosingLogsOutARefusedRegistrationIsTriedAgainAndOtherWindowsAreLeftAlone) {
    WNDCLASSW other{};
    other.lpfnWndProc = otherWindow;
    other.lpszClassName = L"KeyvaneOther";
    RegisterClassW(&other);
    std::strcpy(setupRecord.storedPin, "1234");
    setupRecord.autoLogoutOff = 0;
    setAbsenceSignals(&signals);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, act);
    MainWindow().DoModal();
    KillTimer(nullptr, timer);
    EXPECT_EQ(step, 2);
    EXPECT_EQ(signals.sessionsWatched, 0) << "given back at the end";
    EXPECT_EQ(signals.lidsWatched, 0);
    setAbsenceSignals(nullptr);
    setupRecord = SetupRecord{};
    loginState = LoginState::Unset;
}
