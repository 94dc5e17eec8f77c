// The Help menu and the About box from the outside. Menu commands are posted as the menu would
// send them: wine cannot show another process's menus to a test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/keyvane_test_support.h"

using namespace kv;

namespace {
constexpr WPARAM kAboutCommand = 57664, kSupportCommand = 32772, kMailCommand = 32773,
                 kManualCommand = 32774, kSystemMenuAbout = 0x0010;
constexpr int kAboutVersion = 1024, kAboutNotice = 1025;
const char kAboutTitle[] = "Keyvaneのﾊﾞｰｼﾞｮﾝ情報";

// Keyvane logged in with PIN 1234 and its countdown running.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        robot.writeDataFile("Setup", setupFileBytes("1234", 0));
        main = robot.startAndLogIn("1234");
        ASSERT_NE(main, nullptr);
    }
    void command(WPARAM id) const { PostMessageA(main, WM_COMMAND, id, 0); }
    int secondsShown() const {
        std::string title = Robot::text(main);
        std::string prefix = "Keyvane - ﾛｸﾞｱｳﾄまで";
        return title.rfind(prefix, 0) == 0 ? std::stoi(title.substr(prefix.size())) : -1;
    }

    KeyvaneRobot robot;
    HWND main = nullptr;
};
} // namespace

TEST_F(HelpTest, TheAboutBoxFromTheHelpMenuHoldsTheCountdown) {
    ASSERT_TRUE(Robot::waitUntil([&] { return secondsShown() > 0; }, 2500));
    command(kAboutCommand);
    HWND about = robot.waitForWindow(kAboutTitle, "#32770");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Robot::text(about, kAboutVersion), "Keyvane.exe  Version 1.0.2.0");
    EXPECT_EQ(Robot::text(about, kAboutNotice),
              "Copyright (C) 2026\n Keyvane Project\n All Rights Reserved.");
    int frozen = secondsShown();
    Sleep(2200);
    EXPECT_EQ(secondsShown(), frozen);
    Robot::pressKey(robot.focus(), VK_RETURN);
    ASSERT_TRUE(robot.waitForNoWindow(kAboutTitle));
    EXPECT_TRUE(Robot::waitUntil([&] { return secondsShown() == frozen - 1; }, 2500));
}

TEST_F(HelpTest, TheAboutBoxFromTheSystemMenuLetsTheCountdownRun) {
    ASSERT_TRUE(Robot::waitUntil([&] { return secondsShown() > 0; }, 2500));
    PostMessageA(main, WM_SYSCOMMAND, kSystemMenuAbout, 0);
    HWND about = robot.waitForWindow(kAboutTitle, "#32770");
    ASSERT_NE(about, nullptr);
    int shown = secondsShown();
    EXPECT_TRUE(Robot::waitUntil([&] { return secondsShown() < shown; }, 2500));
    Robot::pressKey(robot.focus(), VK_ESCAPE);
    EXPECT_TRUE(robot.waitForNoWindow(kAboutTitle));
}

TEST_F(HelpTest, LoggedOutTheCountdownStaysStoppedAfterTheAboutBox) {
    Robot::click(main, kLogin);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kLogin) == kLoginText; }));
    command(kAboutCommand);
    ASSERT_NE(robot.waitForWindow(kAboutTitle), nullptr);
    Robot::pressKey(robot.focus(), VK_ESCAPE);
    ASSERT_TRUE(robot.waitForNoWindow(kAboutTitle));
    Sleep(1300);
    EXPECT_EQ(Robot::text(main), kMainTitle);
}

TEST_F(HelpTest, TheManualOpensOnlyWhenItIsThere) {
    OpenRecorder recorder({".html"});
    command(kManualCommand);
    EXPECT_EQ(robot.answerMessageBox(kBoxOk), "マニュアルがありません。");
    EXPECT_FALSE(IsIconic(main));
    Sleep(300);
    EXPECT_EQ(recorder.opened(), "");

    makeDir(robot.folder() + "\\Manual");
    writeBytes(robot.folder() + "\\Manual\\index.html", Bytes{'<', 'p', '>'});
    command(kManualCommand);
    ASSERT_TRUE(recorder.waitForOpen());
    EXPECT_NE(recorder.opened().find("\\Manual\\index.html"), std::string::npos);
    EXPECT_TRUE(IsIconic(main));
}

TEST_F(HelpTest, F1OpensTheManualUnlessAnotherDialogIsUp) {
    makeDir(robot.folder() + "\\Manual");
    writeBytes(robot.folder() + "\\Manual\\index.html", Bytes{'<', 'p', '>'});
    OpenRecorder recorder({".html"});
    Robot::click(main, kLogin); // logged out: the Edit button's prompt has no countdown to stop
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::text(main, kLogin) == kLoginText; }));
    Robot::click(main, kEdit);
    HWND prompt = robot.waitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    Robot::pressKey(robot.focus(), VK_F1);
    Sleep(500);
    EXPECT_FALSE(IsIconic(main)) << "opening the manual minimises the main window";
    Robot::click(prompt, kPinCancel);
    ASSERT_TRUE(robot.waitForNoWindow(kPromptTitle));

    Robot::pressKey(robot.focus(), VK_F1);
    ASSERT_TRUE(recorder.waitForOpen());
    EXPECT_NE(recorder.opened().find("\\Manual\\index.html"), std::string::npos);
    EXPECT_TRUE(IsIconic(main));
    auto opens = [&] {
        std::string log = recorder.opened();
        return std::count(log.begin(), log.end(), '\n');
    };
    EXPECT_FALSE(Robot::waitUntil([&] { return opens() > 1; }, 2000)) << recorder.opened();
}

TEST_F(HelpTest, SupportPageAndMailInquiryMinimiseAndOpenTheirAddresses) {
    {
        OpenRecorder recorder({"https"});
        command(kSupportCommand);
        ASSERT_TRUE(recorder.waitForOpen());
        EXPECT_NE(recorder.opened().find("https://keyvane.example/support/"), std::string::npos);
        EXPECT_TRUE(IsIconic(main));
    }
    ShowWindow(main, SW_RESTORE);
    OpenRecorder recorder({"mailto"});
    command(kMailCommand);
    ASSERT_TRUE(recorder.waitForOpen());
    // The subject's Shift-JIS characters go to the shell as they are, not percent-encoded.
    EXPECT_NE(
        recorder.opened().find("mailto:support@keyvane.example?subject=【Keyvane Ver1020】問合せ"),
        std::string::npos)
        << recorder.opened();
    EXPECT_TRUE(IsIconic(main));
}

TEST(LaunchFailure, AnAddressNothingOpensIsReported) {
    KeyvaneRobot robot;
    robot.writeDataFile("List", listFileBytes("", {{"Odd", "id", "pw", 0, "kvnothing:x", ""}}));
    HWND main = robot.startToMainWindow();
    ASSERT_NE(main, nullptr);
    Robot::selectRow(main, kMainList, 0);
    ASSERT_TRUE(Robot::waitUntil([&] { return Robot::enabled(main, kWeb); }));
    Robot::click(main, kWeb);
    EXPECT_EQ(robot.answerMessageBox(kBoxOk, 10000), "ブラウザ起動に問題がありました。");
}
