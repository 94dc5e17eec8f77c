// The command line's switches, on command lines as Windows hands them over.
#include <gtest/gtest.h>

#include "core/command_line.h"

TEST(CommandLine, AllowCaptureOnlyAsAWholeArgumentAfterTheProgramName) {
    struct Case {
        const wchar_t* commandLine;
        bool present;
    };
    const Case cases[] = {
        {L"Keyvane.exe", false},
        {L"\"C:\\Program Files\\Keyvane\\Keyvane.exe\"", false},
        {L"\"C:\\Program Files\\Keyvane\\Keyvane.exe\" /allowcapture", true},
        {L"Keyvane.exe\t-AllowCapture", true},
        {L"\"D:\\\x30c4\x30fc\x30eb\\Keyvane.exe\" /ALLOWCAPTURE   ", true},
        {L"Keyvane.exe /x \"/allowcapture\"", true},
        {L"Keyvane.exe allowcapture", false},
        {L"Keyvane.exe /allowcaptures", false},
        {L"Keyvane.exe /allow", false},
        {L"Keyvane.exe /allowcapture/x", false},
        {L"Keyvane.exe \"/allowcapture x\"", false},
        {L"\"C:\\a /allowcapture\\Keyvane.exe\"", false},
        {L"C:\\Tools\\/allowcapture", false},
        {L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hasSwitch(c.commandLine, "allowcapture"), c.present) << c.commandLine;
}
