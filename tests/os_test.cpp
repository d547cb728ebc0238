// The platform's file layer, run natively and under wine.
#include <gtest/gtest.h>

#include "platform/os.h"
#include "test_support.h"

namespace {

platform::Os& os = platform::native_os();

} // namespace

TEST(Os, ProgramFolderEndsInASeparator) {
    std::string folder = os.program_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/') << folder;
    EXPECT_TRUE(os.file_exists(folder));
}

TEST(Os, WriteReplacesAndOverwriteStartKeepsTheTail) {
    test::TempFolder dir;
    std::string f = dir.file("a.txt");
    EXPECT_FALSE(os.read_file(f));
    ASSERT_TRUE(os.write_file(f, "0123456789"));
    ASSERT_TRUE(os.write_file(f, "abc"));
    EXPECT_EQ(*os.read_file(f), "abc");
    ASSERT_TRUE(os.write_file(f, "0123456789"));
    ASSERT_TRUE(os.overwrite_start(f, "xyz"));
    EXPECT_EQ(*os.read_file(f), "xyz3456789");
    ASSERT_TRUE(os.overwrite_start(dir.file("new.txt"), "fresh"));
    EXPECT_EQ(*os.read_file(dir.file("new.txt")), "fresh");
    std::string binary("a\0\r\n\xff", 5);
    ASSERT_TRUE(os.write_file(f, binary));
    EXPECT_EQ(*os.read_file(f), binary);
    ASSERT_TRUE(os.write_file(f, ""));
    EXPECT_EQ(*os.read_file(f), "");
    EXPECT_TRUE(os.delete_file(f));
    EXPECT_FALSE(os.file_exists(f));
    EXPECT_FALSE(os.delete_file(f));
}

TEST(Os, FoldersAndWildcardListing) {
    test::TempFolder dir;
    EXPECT_TRUE(os.create_folder(dir.file("configs")));
    EXPECT_FALSE(os.create_folder(dir.file("configs"))); // exists already
    EXPECT_FALSE(os.create_folder(dir.file("no/such/sub")));
    std::string configs = dir.file("configs") + "\\";
    for (const char* name : {"b.ini", "a.ini", "c.txt", "d.ini.bak"})
        ASSERT_TRUE(os.write_file(configs + name, "x"));
    os.create_folder(configs + "sub.ini");
    std::vector<std::string> names = os.list_folder(configs + "*.ini");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.ini", "b.ini"}));
    EXPECT_TRUE(os.list_folder(dir.file("missing") + "\\*.ini").empty());
}

TEST(Os, BackslashIsAFolderSeparator) {
    test::TempFolder dir;
    std::string windows_style = dir.path() + "stats\\movie.avs.stat";
    ASSERT_TRUE(os.create_folder(dir.path() + "stats"));
    ASSERT_TRUE(os.write_file(windows_style, "s"));
    EXPECT_EQ(*os.read_file(dir.path() + "stats/movie.avs.stat"), "s");
}

TEST(Os, Utf8BecomesSingleByteText) {
    EXPECT_EQ(os.utf8_to_ansi("plain text"), "plain text");
    EXPECT_EQ(os.utf8_to_ansi(""), "");
}
