// When the entries may be seen: the login state rules and the 60-second automatic logout.
// The countdown drives the main window's timer and title through a small seam, so the logic
// runs (and is tested) without a window.
#pragma once

#include "core/entry_store.h"

#include <cstdint>

constexpr int kLogoutSeconds = 60;

// What the countdown asks of the main window.
class LogoutTimerHost {
public:
    virtual ~LogoutTimerHost() = default;
    virtual void startTimer() = 0; // about one tick a second
    virtual void stopTimer() = 0;
    // Milliseconds on a clock that only goes forward and keeps counting while the computer
    // sleeps: timer ticks are not delivered while the program is busy or asleep, so they are
    // not counted, the time is.
    virtual uint64_t millisecondsNow() = 0;
    // The window title: the product name, or the seconds left.
    virtual void showCountdown(const char* title) = 0;
    // The countdown ran out: hide the entries and minimise the window.
    virtual void hideAfterLogout() = 0;
};

// The whole seconds left until deadline at now, as the title shows them: 59 down to 1 while
// time is left (a part of a second counts as a whole one), 0 once the deadline has passed.
int secondsLeft(uint64_t deadline, uint64_t now);

class LogoutCountdown {
public:
    explicit LogoutCountdown(LogoutTimerHost& host) : host_(host) {}

    // With automatic logout switched off, each of these stops the countdown instead.
    void stop();   // and the title shows the product name
    void start();  // 60 seconds from now, only while logged in
    void pause();  // keeps the time left; the title keeps its number
    void resume(); // with the time left at the pause, and only while logged in
    // One timer tick: the title shows the seconds left; once the deadline has passed, however
    // late the tick, the user is logged out.
    void tick();

private:
    enum class State { Stopped, Running, Paused };

    LogoutTimerHost& host_;
    State state_ = State::Stopped;
    uint64_t deadline_ = 0;    // while running
    uint64_t leftAtPause_ = 0; // while paused
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
