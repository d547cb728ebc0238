// The profile format the plug-in uses where the Windows profile functions
// do not exist.
#include <gtest/gtest.h>

#include "plugin/profile_text.h"
#include "profile_cases.h"

using namespace levo;

TEST(ProfileText, ReadsIntegersFromItsSection) {
    const std::string text =
        "[other]\r\nlevel=1\r\n[Levoria]\r\n LEVEL = -42x\r\nwndx=\r\n[x]\r\nedelay=9\r\n";
    EXPECT_EQ(profile_int(text, "levoria", "level", 75), -42);
    EXPECT_EQ(profile_int(text, "levoria", "wndx", 50), 50);   // empty: the default
    EXPECT_EQ(profile_int(text, "levoria", "edelay", 20), 20); // in another section
    EXPECT_EQ(profile_int("", "levoria", "level", 75), 75);
}

TEST(ProfileText, WritesLikeTheProfileFunctions) {
    std::string text;
    text = with_profile_value(text, "levoria", "wndx", "50");
    text = with_profile_value(text, "levoria", "wndy", "60");
    EXPECT_EQ(text, "[levoria]\r\nwndx=50\r\nwndy=60\r\n");
    text = with_profile_value(text, "Levoria", "WNDX",
                              "-5"); // found whatever the case, replaced in place
    EXPECT_EQ(text, "[levoria]\r\nWNDX=-5\r\nwndy=60\r\n");
    std::string other = "[a]\nk=1\n\n[levoria]\nlevel=3\n\n[b]\nk=2\n";
    EXPECT_EQ(with_profile_value(other, "levoria", "echo", "1"),
              "[a]\r\nk=1\r\n\r\n[levoria]\r\nlevel=3\r\necho=1\r\n\r\n[b]\r\nk=2\r\n");
}

TEST(ProfileText, ReadsHandEditedFilesAsTheProfileFunctionsDo) {
    for (const test::ProfileCase& c : test::profile_cases)
        EXPECT_EQ(profile_int(c.text, "levoria", "level", 75), c.level) << c.text;
}

TEST(ProfileText, AWriteReplacesTheLineAReadFinds) {
    for (const test::ProfileCase& c : test::profile_cases) {
        std::string written = with_profile_value(c.text, "levoria", "level", "33");
        EXPECT_EQ(profile_int(written, "levoria", "level", 75), 33) << c.text << "\n" << written;
    }
    EXPECT_EQ(with_profile_value("[levoria]\rlevel=12\rwndx=3\r", "levoria", "level", "1"),
              "[levoria]\r\nlevel=1\r\nwndx=3\r\n");
    EXPECT_EQ(with_profile_value("[levoria]\r\nlevel=1\r\nlevel=2\r\n", "levoria", "level", "5"),
              "[levoria]\r\nlevel=5\r\nlevel=2\r\n");
}
