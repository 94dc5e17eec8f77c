// The login rules and the automatic logout, without a window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/login.h"

namespace {
// Records what the countdown asks of the main window.
class RecordingHost : public LogoutTimerHost {
public:
    void startTimer() override {
        events.push_back("start");
        running = true;
    }
    void stopTimer() override {
        events.push_back("stop");
        running = false;
    }
    uint64_t millisecondsNow() override { return now; }
    void showCountdown(const char* text) override { title = text; }
    void hideAfterLogout() override {
        events.push_back("hide");
        stateAtHide = loginState;
    }

    std::vector<std::string> events;
    uint64_t now = 5'000'000; // the clock, which the tests move
    std::string title = "Keyvane";
    bool running = false;
    LoginState stateAtHide = LoginState::Unset;
};

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearSetup();
        std::memset(loginPin, 0, sizeof loginPin);
        loginState = LoginState::Unset;
    }
    // A tick that comes after ms milliseconds.
    void tickAfter(uint64_t ms) {
        host.now += ms;
        countdown.tick();
    }
    RecordingHost host;
    LogoutCountdown countdown{host};
};
} // namespace

TEST_F(LoginTest, TheTitleCountsDownAndTheSixtiethTickLogsOut) {
    ASSERT_TRUE(tryLogin(""));
    countdown.start();
    tickAfter(1000);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで59秒");
    for (int i = 2; i <= 59; ++i)
        tickAfter(1000);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで1秒");
    EXPECT_EQ(loginState, LoginState::LoggedIn);
    host.events.clear();
    tickAfter(1000);
    EXPECT_EQ(host.title, "Keyvane");
    EXPECT_EQ(host.stateAtHide, LoginState::LoggedOut) << "logged out before the list refreshes";
    EXPECT_EQ(host.events, (std::vector<std::string>{"hide", "stop"}));
    EXPECT_FALSE(host.running);
}

// Ticks are not delivered while the program is busy or the computer sleeps: the time still counts.
TEST_F(LoginTest, TheCountdownCountsTimeNotTicks) {
    tryLogin("");
    countdown.start();
    tickAfter(1500);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで59秒") << "58.5 seconds left";
    tickAfter(20000);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで39秒");
    tickAfter(3'600'000); // an hour asleep: the first tick after waking logs out
    EXPECT_EQ(host.stateAtHide, LoginState::LoggedOut);
    EXPECT_EQ(host.title, "Keyvane");
    EXPECT_FALSE(host.running);

    for (auto [left, shown] : {std::pair<uint64_t, int>{60000, 59}, {59001, 59}, {59000, 59},
                               {58999, 59}, {1001, 2}, {1, 1}, {0, 0}})
        EXPECT_EQ(secondsLeft(host.now + left, host.now), shown) << left << " ms left";
    EXPECT_EQ(secondsLeft(host.now, host.now + 5), 0);
}

TEST_F(LoginTest, PauseFreezesTheTitleAndResumeContinuesFromThere) {
    tryLogin("");
    countdown.start();
    for (int i = 0; i < 30; ++i)
        tickAfter(1000);
    countdown.pause();
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで30秒");
    host.now += 600'000; // a message box up for ten minutes
    countdown.resume();
    EXPECT_TRUE(host.running);
    tickAfter(1000);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで29秒");
}

TEST_F(LoginTest, ResumeDoesNothingUnlessLoggedIn) {
    for (LoginState state : {LoginState::Unset, LoginState::LoggedOut}) {
        loginState = state;
        countdown.resume();
        EXPECT_TRUE(host.events.empty());
    }
}

TEST_F(LoginTest, WithAutomaticLogoutOffEveryModeStops) {
    setupRecord.autoLogoutOff = 1;
    tryLogin("");
    host.title = "Keyvane - ﾛｸﾞｱｳﾄまで30秒";
    for (void (LogoutCountdown::*mode)() :
         {&LogoutCountdown::start, &LogoutCountdown::pause, &LogoutCountdown::resume}) {
        (countdown.*mode)();
        EXPECT_FALSE(host.running);
        EXPECT_EQ(host.title, "Keyvane");
    }
}

TEST_F(LoginTest, StartBeginsAgainFromZero) {
    tryLogin("");
    countdown.start();
    for (int i = 0; i < 45; ++i)
        tickAfter(1000);
    countdown.stop();
    EXPECT_EQ(host.title, "Keyvane");
    countdown.start();
    tickAfter(1000);
    EXPECT_EQ(host.title, "Keyvane - ﾛｸﾞｱｳﾄまで59秒");
}

TEST_F(LoginTest, OnlyTheStoredPinLogsIn) {
    std::strcpy(setupRecord.storedPin, "4711");
    EXPECT_FALSE(tryLogin("471"));
    EXPECT_FALSE(tryLogin("4712"));
    EXPECT_EQ(loginState, LoginState::Unset);
    EXPECT_STREQ(loginPin, "");
    EXPECT_TRUE(tryLogin("4711"));
    EXPECT_EQ(loginState, LoginState::LoggedIn);
    EXPECT_STREQ(loginPin, "4711");
}

TEST_F(LoginTest, EntriesShowOnlyForTheStoredPinAndNotWhileLoggedOut) {
    std::strcpy(setupRecord.storedPin, "1234");
    EXPECT_FALSE(entriesVisible()) << "a PIN is stored but nobody logged in";
    tryLogin("1234");
    EXPECT_TRUE(entriesVisible());
    loginState = LoginState::LoggedOut;
    EXPECT_FALSE(entriesVisible()) << "logging out hides without forgetting the PIN";
    EXPECT_STREQ(loginPin, "1234");
    clearSetup();
    loginState = LoginState::Unset;
    std::memset(loginPin, 0, sizeof loginPin);
    EXPECT_TRUE(entriesVisible()) << "first run: no PIN at all";
}

TEST_F(LoginTest, TheLoginButtonFollowsTheState) {
    EXPECT_STREQ(loginButtonCaption(), kLogoutCaption);
    EXPECT_FALSE(loginButtonEnabled());
    loginState = LoginState::LoggedIn;
    EXPECT_STREQ(loginButtonCaption(), kLogoutCaption);
    EXPECT_TRUE(loginButtonEnabled());
    loginState = LoginState::LoggedOut;
    EXPECT_STREQ(loginButtonCaption(), "ﾛｸﾞｲﾝ");
    EXPECT_TRUE(loginButtonEnabled());
}
