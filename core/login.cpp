#include "core/login.h"

#include <cstring>

#include "core/program_info.h"
#include "core/text.h"

const char kLoginCaption[] = "ﾛｸﾞｲﾝ";
const char kLogoutCaption[] = "ﾛｸﾞｱｳﾄ";

namespace {
constexpr uint64_t kLogoutMs = kLogoutSeconds * 1000ULL;
}

int secondsLeft(uint64_t deadline, uint64_t now) {
    if (now >= deadline)
        return 0;
    uint64_t seconds = (deadline - now + 999) / 1000;
    return seconds < kLogoutSeconds ? static_cast<int>(seconds) : kLogoutSeconds - 1;
}

void LogoutCountdown::stop() {
    state_ = State::Stopped;
    host_.stopTimer();
    host_.showCountdown(kProductName);
}

void LogoutCountdown::start() {
    if (setupRecord.autoLogoutOff == 1 || loginState != LoginState::LoggedIn)
        return stop();
    deadline_ = host_.millisecondsNow() + kLogoutMs;
    state_ = State::Running;
    host_.startTimer();
}

void LogoutCountdown::pause() {
    if (setupRecord.autoLogoutOff == 1)
        return stop();
    if (state_ != State::Running)
        return;
    uint64_t now = host_.millisecondsNow();
    leftAtPause_ = deadline_ > now ? deadline_ - now : 0;
    state_ = State::Paused;
    host_.stopTimer();
}

void LogoutCountdown::resume() {
    if (setupRecord.autoLogoutOff == 1)
        return stop();
    if (state_ != State::Paused || loginState != LoginState::LoggedIn)
        return;
    deadline_ = host_.millisecondsNow() + leftAtPause_;
    state_ = State::Running;
    host_.startTimer();
}

void LogoutCountdown::tick() {
    if (state_ != State::Running)
        return; // a tick still queued when the countdown stopped
    int left = secondsLeft(deadline_, host_.millisecondsNow());
    if (left > 0) {
        char title[64];
        formatText(title, sizeof title, "%s - ﾛｸﾞｱｳﾄまで%d秒", kProductName, left);
        host_.showCountdown(title);
        return;
    }
    host_.showCountdown(kProductName);
    logOut();
    host_.hideAfterLogout();
    stop();
}

bool entriesVisible() {
    return loginState != LoginState::LoggedOut && std::strcmp(loginPin, setupRecord.storedPin) == 0;
}

const char* loginButtonCaption() {
    return loginState == LoginState::LoggedOut ? kLoginCaption : kLogoutCaption;
}

bool loginButtonEnabled() {
    return loginState == LoginState::LoggedIn || loginState == LoginState::LoggedOut;
}

void startLogin() {
    std::memset(loginPin, 0, sizeof loginPin);
}

bool tryLogin(const char* typed) {
    if (std::strcmp(typed, setupRecord.storedPin) != 0)
        return false;
    loginState = LoginState::LoggedIn;
    copyText(loginPin, sizeof loginPin, typed);
    return true;
}

void logOut() {
    loginState = LoginState::LoggedOut;
}
