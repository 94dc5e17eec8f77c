#include "core/login.h"

#include <cstring>

#include "core/program_info.h"
#include "core/text.h"

const char kLoginCaption[] = "ﾛｸﾞｲﾝ";
const char kLogoutCaption[] = "ﾛｸﾞｱｳﾄ";

void LogoutCountdown::stop() {
    host_.stopTimer();
    host_.showCountdown(kProductName);
}

void LogoutCountdown::start() {
    if (setupRecord.autoLogoutOff == 1)
        return stop();
    count_ = 0;
    host_.startTimer();
}

void LogoutCountdown::pause() {
    if (setupRecord.autoLogoutOff == 1)
        return stop();
    host_.stopTimer();
}

void LogoutCountdown::resume() {
    if (setupRecord.autoLogoutOff == 1)
        return stop();
    if (loginState == LoginState::LoggedIn)
        host_.startTimer();
}

void LogoutCountdown::tick() {
    ++count_;
    if (count_ < kLogoutSeconds) {
        char title[64];
        formatText(title, sizeof title, "%s - ﾛｸﾞｱｳﾄまで%d秒", kProductName,
                   kLogoutSeconds - count_);
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
