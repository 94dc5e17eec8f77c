// A lid closed while open logs out, a refused session registration is tried again at the next
// login, and no window but our dialogs is ended. No test can close a lid or refuse Windows'
// registration: the seam answers, and the lid is sent as Windows sends it.
#include <gtest/gtest.h>

#include <cstring>

#include "app/absence_signals.h"
#include "app/dialogs/main_window.h"
#include "app/resources/resource.h"
#include "core/entry_store.h"

namespace {
struct Signals : AbsenceSignals { // refuses the first registration, as early after sign-in
    int tries = 0, sessions = 0, lids = 0;
    bool watchSession(HWND) override { return ++tries > 1 && ++sessions; }
    void unwatchSession(HWND) override { --sessions; }
    HPOWERNOTIFY watchLid(HWND) override { return ++lids, reinterpret_cast<HPOWERNOTIFY>(1); }
    void unwatchLid(HPOWERNOTIFY) override { --lids; }
} signals;

void sendLid(HWND main, DWORD state) {
    POWERBROADCAST_SETTING lid{
        {0xba3e0f4d, 0xb817, 0x4094, {0xa2, 0xd1, 0xd5, 0x63, 0x79, 0xe6, 0xa0, 0xf3}},
        sizeof state,
        {}};
    std::memcpy(lid.Data, &state, sizeof state);
    SendMessageW(main, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&lid));
}

// On a timer: the PIN whenever it is asked, else the next step.
int step = 0;
void CALLBACK act(HWND, UINT, UINT_PTR, DWORD) {
    HWND main = GetActiveWindow();
    if (main != nullptr && GetDlgItem(main, IDC_PIN_FIELD) != nullptr)
        SetDlgItemTextW(main, IDC_PIN_FIELD, L"1234");
    else if (main != nullptr && step++ == 0) {
        EXPECT_EQ(signals.tries + signals.lids, 2);
        // Another window of the thread that the main window owns, as the input method's is.
        HWND other =
            CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 0, 0, main, nullptr, nullptr, nullptr);
        sendLid(main, 0); // as told at registration: a laptop on a dock runs closed
        sendLid(main, 1);
        EXPECT_EQ(loginState, LoginState::LoggedIn);
        sendLid(main, 0);
        EXPECT_EQ(loginState, LoginState::LoggedOut);
        EXPECT_TRUE(IsIconic(main) && IsWindow(other));
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_LOGIN, BN_CLICKED), 0);
    } else if (main != nullptr && step == 2) {
        EXPECT_EQ(loginState, LoginState::LoggedIn);
        EXPECT_EQ(signals.sessions, 1) << "tried again at the login";
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
}
} // namespace

TEST(Absence, TheLidClosingLogsOutARefusedRegistrationIsTriedAgainAndOtherWindowsAreLeftAlone) {
    std::strcpy(setupRecord.storedPin, "1234");
    setAbsenceSignals(&signals);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, act);
    MainWindow().DoModal();
    KillTimer(nullptr, timer);
    EXPECT_EQ(signals.sessions + signals.lids, 0) << "given back at the end";
    setAbsenceSignals(nullptr);
    setupRecord = SetupRecord{};
    loginState = LoginState::Unset;
}
