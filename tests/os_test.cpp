// The platform's file layer, run natively and under wine.
#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "platform/os.h"
#include "test_support.h"

namespace {

platform::Os& os = platform::native_os();

int this_process() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

} // namespace

TEST(Os, ProgramFolderEndsInASeparator) {
    std::string folder = os.program_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/') << folder;
    EXPECT_TRUE(os.file_exists(folder));
}

TEST(Os, WritesReplaceWholeFilesAndLeaveNoTemporaryFileBehind) {
    test::TempFolder dir;
    std::string f = dir.file("a.txt");
    EXPECT_FALSE(os.read_file(f));
    ASSERT_TRUE(os.write_file(f, "0123456789"));
    ASSERT_TRUE(os.write_file(f, "abc"));
    EXPECT_EQ(*os.read_file(f), "abc");
    std::string binary("a\0\r\n\xff", 5);
    ASSERT_TRUE(os.write_file(f, binary));
    EXPECT_EQ(*os.read_file(f), binary);
    ASSERT_TRUE(os.write_file(f, ""));
    EXPECT_EQ(*os.read_file(f), "");
    // A new file only where there is none.
    EXPECT_FALSE(os.write_new_file(f, "other"));
    EXPECT_EQ(*os.read_file(f), "");
    ASSERT_TRUE(os.write_new_file(dir.file("new.txt"), "fresh"));
    EXPECT_EQ(*os.read_file(dir.file("new.txt")), "fresh");
    EXPECT_EQ(os.list_folder(dir.path() + "*").size(), 2u); // no temporary file is left
    // A folder that is not there: nothing written, and the system says why.
    EXPECT_FALSE(os.write_file(dir.file("missing/x.txt"), "x"));
    EXPECT_FALSE(os.last_error().empty());
    EXPECT_TRUE(os.delete_file(f));
    EXPECT_FALSE(os.file_exists(f));
    EXPECT_FALSE(os.delete_file(f));
}

TEST(Os, SetAsideTakesTheFirstFreeNameAndNeverOverwrites) {
    test::TempFolder dir;
    std::string f = dir.file("quorbel.ini");
    ASSERT_TRUE(os.write_file(f, "junk 1"));
    EXPECT_EQ(os.set_aside(f), f + ".unreadable");
    ASSERT_TRUE(os.write_file(f, "junk 2"));
    EXPECT_EQ(os.set_aside(f), f + ".unreadable-2");
    EXPECT_FALSE(os.file_exists(f));
    EXPECT_EQ(*os.read_file(f + ".unreadable"), "junk 1");
    EXPECT_EQ(*os.read_file(f + ".unreadable-2"), "junk 2");
    EXPECT_FALSE(os.set_aside(f)); // nothing to set aside
    EXPECT_FALSE(os.rename_new(f + ".unreadable", f + ".unreadable-2"));
}

TEST(Os, FileInfoAndTheClockAgree) {
    test::TempFolder dir;
    int64_t before = os.now();
    ASSERT_TRUE(os.write_file(dir.file("v.mkv"), "12345"));
    std::optional<platform::FileInfo> info = os.file_info(dir.file("v.mkv"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->size, 5);
    EXPECT_GE(info->modified, before - 2);
    EXPECT_LE(info->modified, os.now() + 2);
    EXPECT_FALSE(os.file_info(dir.file("none")));
    EXPECT_FALSE(os.file_info(dir.path()));
}

TEST(Os, ConsoleCodePage) {
    EXPECT_EQ(os.ansi_to_console("@echo Input:\"C:\\a & b\""), "@echo Input:\"C:\\a & b\"");
#ifdef _WIN32
    // Wine's code pages are those of a Western Windows: ANSI 1252, OEM 437.
    EXPECT_EQ(os.ansi_to_console("caf\xe9"), "caf\x82");
    EXPECT_FALSE(os.ansi_to_console("\xa4")); // the euro-area sign "\xa4" has no place in 437
#endif
}

TEST(Os, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    using Step = test::TestOs::Step;
    for (Step step : {Step::open, Step::mid_write, Step::replace}) {
        SCOPED_TRACE(static_cast<int>(step));
        test::TempFolder dir;
        test::TestOs failing;
        std::string f = dir.file("quorbel.ini");
        ASSERT_TRUE(failing.write_file(f, "mode = 6\r\nvalue = 1000\r\n"));
        failing.fail_at = step;
        EXPECT_FALSE(failing.write_file(f, std::string(100000, 'x')));
        EXPECT_EQ(*os.read_file(f), "mode = 6\r\nvalue = 1000\r\n");
        EXPECT_EQ(failing.last_error(), "the disk is full");
        EXPECT_FALSE(failing.write_new_file(dir.file("new.ini"), "x"));
        EXPECT_FALSE(os.file_exists(dir.file("new.ini")));
        EXPECT_EQ(os.list_folder(dir.path() + "*"), std::vector<std::string>{"quorbel.ini"});
    }
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

TEST(Os, NamesAreComparedWithTheSystemsCaseFolding) {
    // The platform's own narrow text: the ANSI code page (1252 here) on
    // Windows, UTF-8 elsewhere.
#ifdef _WIN32
    const std::string E = "\xC9", e = "\xE9", A = "\xC0", a = "\xE0", y = "\xFF", Y = "\x9F";
    const std::string sharp = "\xDF";
#else
    const std::string E = "\xC3\x89", e = "\xC3\xA9", A = "\xC3\x80", a = "\xC3\xA0";
    const std::string y = "\xC3\xBF", Y = "\xC5\xB8", sharp = "\xC3\x9F";
#endif
    struct Case {
        std::string one, other;
        bool same;
    } cases[] = {
        {E + "cran.y4m", e + "cran.y4m", true},
        {A + "B", a + "b", true},
        {"D:\\Out\\Clip.MP4", "d:\\out\\clip.mp4", true},
        {y, Y, true},
        // Ordinal folding maps letters one to one: no "SS" for a sharp s.
        {sharp, "SS", false},
        {"clip.mp4", "clip.mp5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.one + " " + c.other);
        EXPECT_EQ(os.case_key(c.one) == os.case_key(c.other), c.same);
    }
}

TEST(Os, TemporaryFilesOfEndedWritersAreRemoved) {
    test::TempFolder dir;
    test::TestOs t;
    t.gone = {999999};
    for (const char* name : {"quorbel.jobs.~999999-1", "clip.avs.~999999-12", "keep.~999999-x",
                             "keep.~999999-1.txt", "quorbel.jobs"})
        ASSERT_TRUE(os.write_file(dir.file(name), "x"));
    // One of a writer that still runs: this process.
    std::string mine = "quorbel.ini.~" + std::to_string(this_process()) + "-3";
    ASSERT_TRUE(os.write_file(dir.file(mine), "x"));
    EXPECT_EQ(t.remove_stale_temp_files(dir.path()), 2);
    std::vector<std::string> left = os.list_folder(dir.path() + "*");
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = {"keep.~999999-1.txt", "keep.~999999-x", "quorbel.jobs",
                                         mine};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}
