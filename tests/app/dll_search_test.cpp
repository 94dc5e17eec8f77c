// After the program's first call at start, no DLL is looked for beside the program any more.
#include <gtest/gtest.h>

#include "framework/system_library.h"

TEST(DllSearch, AfterTheStartUpCallOnlyTheSystemFolderIsSearched) {
    HMODULE beside = LoadLibraryW(L"unversioned_probe.dll"); // built beside this test program
    ASSERT_TRUE(beside != nullptr && FreeLibrary(beside));
    restrictDllSearchToSystem();
    EXPECT_EQ(LoadLibraryW(L"unversioned_probe.dll"), nullptr);
    EXPECT_NE(loadSystemLibrary(L"version.dll"), nullptr);
}
