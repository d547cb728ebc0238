// Derived names and wrapper scripts, written through the platform's file layer.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/commands/batch_script.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/job_files.h"
#include "test_support.h"

using namespace commands;
using settings::Settings;

namespace {

struct JobFiles : ::testing::Test {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    std::string p = dir.path(); // the program's folder
    JobFolders folders{p + "avs\\", p + "stats\\", p + "log\\"};
    Settings s;
    void SetUp() override { ASSERT_TRUE(os.create_folder(p + "avs")); }
};

} // namespace

TEST_F(JobFiles, AvisynthInputIsUsedDirectly) {
    for (const char* name : {"movie.avs", "movie.AVS", "movie.Avs"}) {
        s.infile = std::string("C:\\video\\") + name;
        derive_job_files(s, "D:\\out\\", folders, os);
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
    derive_job_files(s, "C:\\video\\", folders, os);
    EXPECT_EQ(s.infile, p + "avs\\clip.mkv.avs");
    EXPECT_EQ(s.statsname, p + "stats\\clip.mkv.stat");
    EXPECT_EQ(s.logname, p + "log\\clip.mkv.txt");
    EXPECT_EQ(s.outfile, "C:\\video\\clip.mp4");
    EXPECT_EQ(*os.read_file(p + "avs\\clip.mkv.avs"),
              "fs=\"C:\\video\\clip.mkv\"\r\nmfn=\"C:\\video\\clip\"\r\n"
              "import(\"..\\avsinc\\default.avs\")\r\n");

    // The same source picked again keeps its names and rewrites its wrapper.
    s.infile = "C:\\video\\clip.mkv";
    s.avsinc = "";
    derive_job_files(s, "C:\\video\\", folders, os);
    EXPECT_EQ(s.infile, p + "avs\\clip.mkv.avs");
    EXPECT_EQ(*os.read_file(p + "avs\\clip.mkv.avs"),
              "fs=\"C:\\video\\clip.mkv\"\r\nmfn=\"C:\\video\\clip\"\r\nimport(\"..\\avsinc\\."
              "avs\")\r\n");
}

TEST_F(JobFiles, NamesInUseForAnotherSourceTakeTheNextFreeBaseName) {
    // A queued job of "C:\\q\\queued.y4m" that x264 opens itself.
    const JobList queued = {
        "@echo.",
        "@echo Input:\"C:\\q\\queued.y4m\"",
        "@echo Output:\"D:\\out\\queued.mp4\"",
        "@x264.exe --stats \"" + p +
            "stats\\queued.y4m.stat\" -o \"D:\\out\\queued.mp4\" "
            "\"C:\\q\\queued.y4m\" 2>&1|runlog.exe \"" +
            p + "log\\100%%.y4m.txt\"",
        "@echo+",
    };
    ASSERT_TRUE(os.write_file(p + "avs\\taken.mkv.avs", wrapper_script("C:\\a\\taken.mkv", "")));
    struct Case {
        const char* source;
        bool direct;
        const char* folder;
        const char* base; // the base name the names follow from
    } cases[] = {
        {"C:\\a\\fresh.mkv", false, "D:\\out\\", "fresh.mkv"},      // no collision
        {"C:\\a\\taken.mkv", false, "D:\\out\\", "taken.mkv"},      // its own wrapper
        {"C:\\b\\taken.mkv", false, "D:\\out\\", "taken (2).mkv"},  // another's wrapper
        {"C:\\q\\queued.y4m", true, "D:\\out\\", "queued.y4m"},     // the queued source itself
        {"C:\\r\\queued.y4m", true, "E:\\", "queued (2).y4m"},      // its stats name
        {"C:\\r\\QUEUED.Y4M", true, "E:\\", "QUEUED (2).Y4M"},      // letter case counts not
        {"C:\\r\\queued.avs", true, "D:\\out\\", "queued (2).avs"}, // its output name
        {"C:\\r\\100%.y4m", true, "E:\\", "100% (2).y4m"},          // its log, "%" as written
        {"C:\\r\\noext", true, "E:\\", "noext"},
    };
    NamesInUse used(queued, os);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        Settings t;
        t.x264input = c.direct ? "direct" : "avisynth";
        t.infile = c.source;
        ASSERT_FALSE(derive_job_files(t, c.folder, folders, os, used));
        std::string base = c.base;
        EXPECT_EQ(t.statsname, p + "stats\\" + base + ".stat");
        EXPECT_EQ(t.logname, p + "log\\" + base + ".txt");
        std::string stem =
            base.find('.') == std::string::npos ? base + "." : base.substr(0, base.rfind('.') + 1);
        EXPECT_EQ(t.outfile, c.folder + stem + "mp4");
        if (!c.direct) {
            EXPECT_EQ(t.infile, p + "avs\\" + base + ".avs");
            EXPECT_EQ(*os.read_file(t.infile), wrapper_script(c.source, ""));
        }
    }
    // Two sources of one name in one batch: the second follows the first.
    NamesInUse batch(os);
    JobList jobs;
    for (const char* source : {"C:\\a\\clip.y4m", "C:\\b\\clip.y4m"}) {
        Settings t;
        t.x264input = "direct";
        t.infile = source;
        derive_job_files(t, "D:\\out\\", folders, os, batch);
        size_t block = jobs.size();
        JobList lines = job_block(t, {});
        jobs.insert(jobs.end(), lines.begin(), lines.end());
        batch.add(jobs, block);
    }
    EXPECT_EQ(jobs[2], "@echo Output:\"D:\\out\\clip.mp4\"");
    EXPECT_EQ(jobs[2 + 6], "@echo Output:\"D:\\out\\clip (2).mp4\"");
}

TEST_F(JobFiles, SourceWithoutExtension) {
    s.infile = "C:\\a.b\\clip";
    s.avsinc = "x";
    derive_job_files(s, "C:\\a.b\\", folders, os);
    EXPECT_EQ(s.outfile, "C:\\a.b\\clip.mp4");
    EXPECT_EQ(s.infile, p + "avs\\clip.avs");
    EXPECT_EQ(*os.read_file(p + "avs\\clip.avs"),
              "fs=\"C:\\a.b\\clip\"\r\nmfn=\"C:\\a.b\\clip\"\r\nimport(\"..\\avsinc\\x.avs\")\r\n");
}

TEST_F(JobFiles, EmptyInputChangesNothing) {
    s.statsname = "a", s.logname = "b", s.outfile = "c";
    derive_job_files(s, "D:\\", folders, os);
    EXPECT_EQ(s.statsname + s.logname + s.outfile + s.infile, "abc");
}

TEST_F(JobFiles, AnUnwritableWrapperRefusesThePickAndSaysWhy) {
    s.infile = "C:\\video\\clip.mkv";
    s.outfile = "kept.mp4";
    std::optional<std::string> failure = derive_job_files(
        s, "C:\\", {p + "missing\\avs\\", p + "missing\\stats\\", p + "missing\\log\\"}, os);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->rfind("Cannot write " + p + "missing\\avs\\clip.mkv.avs: ", 0), 0u)
        << *failure;
    EXPECT_EQ(s.infile, "C:\\video\\clip.mkv");
    EXPECT_EQ(s.outfile, "kept.mp4");
}

TEST(BatchScript, SavedFileHasFourHeadLinesAndCrLfEverywhere) {
    EXPECT_EQ(
        commands::saved_batch_text("C:\\enc\\", {"@echo.", "@rem x", "@echo+"}),
        "@cd /d \"C:\\enc\\\"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n"
        "@echo.\r\n@rem x\r\n@echo+\r\n");
    EXPECT_EQ(
        commands::saved_batch_text("C:\\enc\\", {}),
        "@cd /d \"C:\\enc\\\"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n");
    EXPECT_EQ(commands::batch_file_name("C:\\jobs"), "C:\\jobs.bat");
    EXPECT_EQ(commands::batch_file_name("C:\\jobs.cmd"), "C:\\jobs.cmd");
    EXPECT_EQ(commands::batch_file_name("C:\\a.b\\jobs"), "C:\\a.b\\jobs.bat");
}
