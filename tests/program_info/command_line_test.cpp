// The command line's switches, on command lines as Windows hands them over.
#include <gtest/gtest.h>

#include "core/command_line.h"

TEST(CommandLine, AllowCaptureOnlyAsAWholeArgumentAfterTheProgramName) {
    EXPECT_TRUE(hasSwitch(L"\"C:\\Program Files\\Keyvane.exe\"\t-AllowCapture ", "allowcapture"));
    EXPECT_TRUE(hasSwitch(L"Keyvane.exe x \"/allowcapture\"", "allowcapture"));
    EXPECT_FALSE(hasSwitch(L"\"C:\\a /allowcapture\\Keyvane.exe\"", "allowcapture"));
    EXPECT_FALSE(hasSwitch(L"Keyvane.exe /allowcaptures /allow allowcapture", "allowcapture"));
}
