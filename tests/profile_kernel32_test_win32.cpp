// The plug-in's own profile reader and writer against the profile functions
// of kernel32 (as wine implements them), on the same hand-edited files.
#include <windows.h>

#include <gtest/gtest.h>

#include "plugin/profile_text.h"
#include "profile_cases.h"
#include "test_support.h"

TEST(ProfileKernel32, ReadsAsGetPrivateProfileInt) {
    test::TempFolder dir;
    const std::string path = dir.file("levoria.ini");
    for (const test::ProfileCase& c : test::profile_cases) {
        platform::native_os().write_file(path, c.text);
        UINT system = GetPrivateProfileIntA("levoria", "level", 75, path.c_str());
        EXPECT_EQ(static_cast<int32_t>(system), c.level) << c.text;
        EXPECT_EQ(levo::profile_int(c.text, "levoria", "level", 75), c.level) << c.text;
    }
}

TEST(ProfileKernel32, AWriteChangesTheLineTheSystemReads) {
    test::TempFolder dir;
    const std::string path = dir.file("levoria.ini");
    for (const test::ProfileCase& c : test::profile_cases) {
        platform::native_os().write_file(
            path, levo::with_profile_value(c.text, "levoria", "level", "33"));
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); // drop any cache
        EXPECT_EQ(GetPrivateProfileIntA("levoria", "level", 75, path.c_str()), 33u) << c.text;
    }
}
