#include "login.h"

#include <cstring>

#include "text.h"

const char kProductName[] = "Keyvane";
const char kLoginCaption[] = "ﾛｸﾞｲﾝ";
const char kLogoutCaption[] = "ﾛｸﾞｱｳﾄ";

void LogoutCountdown::control(LogoutTimerMode mode) {
    if (setupRecord.autoLogoutOff == 1)
        mode = LogoutTimerMode::Stop;
    switch (mode) {
    case LogoutTimerMode::Stop:
        host_.stopTimer();
        host_.setTitle(kProductName);
        break;
    case LogoutTimerMode::Start:
        count_ = 0;
        host_.startTimer();
        break;
    case LogoutTimerMode::Pause:
        host_.stopTimer(); // the title keeps its number
        break;
    case LogoutTimerMode::Resume:
        if (loginState == LoginState::LoggedIn)
            host_.startTimer();
        break;
    }
}

void LogoutCountdown::tick() {
    ++count_;
    if (count_ < kLogoutSeconds) {
        char title[64];
        formatText(title, sizeof title, "%s - ﾛｸﾞｱｳﾄまで%d秒", kProductName,
                   kLogoutSeconds - count_);
        host_.setTitle(title);
        return;
    }
    host_.setTitle(kProductName);
    logOut();
    host_.hideAfterLogout();
    control(LogoutTimerMode::Stop);
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
