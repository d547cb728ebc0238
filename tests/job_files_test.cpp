// Derived names and wrapper scripts, written through the platform's file layer.
#include <gtest/gtest.h>

#include "frontend/commands/job_files.h"
#include "frontend/ui/batch_script.h"
#include "test_support.h"

using namespace commands;
using settings::Settings;

namespace {

struct JobFiles : ::testing::Test {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    std::string p = dir.path(); // the program's folder
    Settings s;
    void SetUp() override { ASSERT_TRUE(os.create_folder(p + "avs")); }
};

} // namespace

TEST_F(JobFiles, AvisynthInputIsUsedDirectly) {
    for (const char* name : {"movie.avs", "movie.AVS", "movie.Avs"}) {
        s.infile = std::string("C:\\video\\") + name;
        derive_job_files(s, "D:\\out\\", p, os);
        EXPECT_EQ(s.statsname, p + "stats\\" + name + ".stat");
        EXPECT_EQ(s.logname, p + "log\\" + name + ".txt");
        EXPECT_EQ(s.outfile, "D:\\out\\movie.mp4");
        EXPECT_EQ(s.infile, std::string("C:\\video\\") + name);
    }
    EXPECT_TRUE(os.list_folder(p + "avs\\*").empty());
}

TEST_F(JobFiles, OtherInputsAreWrapped) {
    s.infile = "C:\\video\\clip.mkv";
    s.avsinc = "default";
    derive_job_files(s, "C:\\video\\", p, os);
    EXPECT_EQ(s.infile, p + "avs\\clip.mkv.avs");
    EXPECT_EQ(s.statsname, p + "stats\\clip.mkv.stat");
    EXPECT_EQ(s.logname, p + "log\\clip.mkv.txt");
    EXPECT_EQ(s.outfile, "C:\\video\\clip.mp4");
    EXPECT_EQ(*os.read_file(p + "avs\\clip.mkv.avs"),
              "fs=\"C:\\video\\clip.mkv\"\r\nmfn=\"C:\\video\\clip\"\r\n"
              "import(\"..\\avsinc\\default.avs\")\r\n");

    // A later pick of the same file name overwrites the wrapper.
    s.infile = "E:\\other\\clip.mkv";
    s.avsinc = "";
    derive_job_files(s, "E:\\", p, os);
    EXPECT_EQ(*os.read_file(p + "avs\\clip.mkv.avs"),
              "fs=\"E:\\other\\clip.mkv\"\r\nmfn=\"E:\\other\\clip\"\r\nimport(\"..\\avsinc\\."
              "avs\")\r\n");
}

TEST_F(JobFiles, SourceWithoutExtension) {
    s.infile = "C:\\a.b\\clip";
    s.avsinc = "x";
    derive_job_files(s, "C:\\a.b\\", p, os);
    EXPECT_EQ(s.outfile, "C:\\a.b\\clip.mp4");
    EXPECT_EQ(s.infile, p + "avs\\clip.avs");
    EXPECT_EQ(*os.read_file(p + "avs\\clip.avs"),
              "fs=\"C:\\a.b\\clip\"\r\nmfn=\"C:\\a.b\\clip\"\r\nimport(\"..\\avsinc\\x.avs\")\r\n");
}

TEST_F(JobFiles, EmptyInputChangesNothing) {
    s.statsname = "a", s.logname = "b", s.outfile = "c";
    derive_job_files(s, "D:\\", p, os);
    EXPECT_EQ(s.statsname + s.logname + s.outfile + s.infile, "abc");
}

TEST_F(JobFiles, UnwritableWrapperStillBecomesTheInput) {
    s.infile = "C:\\video\\clip.mkv";
    derive_job_files(s, "C:\\", p + "missing\\", os);
    EXPECT_EQ(s.infile, p + "missing\\avs\\clip.mkv.avs");
}

TEST(BatchScript, SavedFileHasFourHeadLinesAndCrLfEverywhere) {
    EXPECT_EQ(
        ui::saved_batch_text("C:\\enc\\", {"@echo.", "@rem x", "@echo+"}),
        "@cd /d \"C:\\enc\\\"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n"
        "@echo.\r\n@rem x\r\n@echo+\r\n");
    EXPECT_EQ(
        ui::saved_batch_text("C:\\enc\\", {}),
        "@cd /d \"C:\\enc\\\"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n");
    EXPECT_EQ(ui::batch_file_name("C:\\jobs"), "C:\\jobs.bat");
    EXPECT_EQ(ui::batch_file_name("C:\\jobs.cmd"), "C:\\jobs.cmd");
    EXPECT_EQ(ui::batch_file_name("C:\\a.b\\jobs"), "C:\\a.b\\jobs.bat");
}
