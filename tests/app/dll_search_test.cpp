// After the program's first call at start, a DLL is no longer looked for beside the program;
// the system's own are still found.
#include <gtest/gtest.h>

#include "framework/system_library.h"

TEST(DllSearch, AfterTheStartUpCallOnlyTheSystemFolderIsSearched) {
    HMODULE beside = LoadLibraryW(L"unversioned_probe.dll"); // built beside this test program
    ASSERT_NE(beside, nullptr);
    FreeLibrary(beside);
    restrictDllSearchToSystem();
    EXPECT_EQ(LoadLibraryW(L"unversioned_probe.dll"), nullptr);
    EXPECT_NE(loadSystemLibrary(L"version.dll"), nullptr);
}
