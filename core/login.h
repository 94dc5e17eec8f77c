// When the entries may be seen: the login state rules and the 60-second automatic logout.
// The countdown drives the main window's timer and title through a small seam, so the logic
// runs (and is tested) without a window.
#pragma once

#include "core/entry_store.h"

constexpr int kLogoutSeconds = 60;

// What the countdown asks of the main window.
class LogoutTimerHost {
public:
    virtual ~LogoutTimerHost() = default;
    virtual void startTimer() = 0; // one tick a second
    virtual void stopTimer() = 0;
    // The window title: the product name, or the seconds left.
    virtual void showCountdown(const char* title) = 0;
    // The countdown ran out: hide the entries and minimise the window.
    virtual void hideAfterLogout() = 0;
};

class LogoutCountdown {
public:
    explicit LogoutCountdown(LogoutTimerHost& host) : host_(host) {}

    // With automatic logout switched off, each of these stops the countdown instead.
    void stop();   // and the title shows the product name
    void start();  // from zero
    void pause();  // the title keeps its number
    void resume(); // from the same second, and only while logged in
    // One timer tick: the title counts down 59 ... 1; the 60th tick logs out.
    void tick();
    int count() const { return count_; }

private:
    LogoutTimerHost& host_;
    int count_ = 0;
};

// The entries are listed only while not logged out and logged in with the stored PIN.
bool entriesVisible();

const char* loginButtonCaption(); // "ﾛｸﾞｲﾝ" when logged out, else "ﾛｸﾞｱｳﾄ"
bool loginButtonEnabled();        // only once somebody logged in or out

// The PIN prompt opens: the PIN of the last login is forgotten until the stored one is typed.
void startLogin();
// The PIN prompt's check of what is typed: the stored PIN logs in with it.
bool tryLogin(const char* typed);
// The entries are hidden again (the Logout button, the countdown, a cancelled PIN prompt); the
// table and the PIN of the last login stay in memory.
void logOut();

extern const char kLoginCaption[];  // "ﾛｸﾞｲﾝ"
extern const char kLogoutCaption[]; // "ﾛｸﾞｱｳﾄ"
