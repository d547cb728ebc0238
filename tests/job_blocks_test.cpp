// The one reader of job blocks: which lines form a job, and what each job
// runs and writes, read from its lines as they stand.
#include <gtest/gtest.h>

#include "frontend/commands/job_blocks.h"

using namespace commands;

TEST(JobBlocks, TheFinalFileOfEachLiveBlock) {
    const JobList lines = {
        "shutdown.exe -s -f -t 30", // outside every block
        "@echo.",
        "@echo Input:\"C:\\in\\a.y4m\"",
        "@echo Output:\"D:\\v\\50%%\\a.mp4\"",
        "@echo Encode Mode:Single Pass - CRF",
        "@x264.exe --crf 20 -o \"D:\\v\\50%%\\a.mp4\" \"C:\\in\\a.y4m\" 2>&1|runlog.exe "
        "\"C:\\enc\\log\\a.y4m.txt\"",
        "@ffmpeg.exe -v error -i \"C:\\in\\a.y4m\" -vn -ac 2 -f wav - | neroaacenc.exe -if - -of "
        "\"D:\\v\\50%%\\a.audio.mp4\" -ignorelength -cbr 64000",
        "@mp4box.exe -add \"D:\\v\\50%%\\a.audio.mp4\" \"D:\\v\\50%%\\a.mp4\"",
        "@echo+",
        "@echo.", // "MKVMerge": the Matroska file
        "@echo Input:\"C:\\enc\\avs\\b.mkv.avs\"",
        "@echo Output:\"D:\\v\\b.264\"",
        "@if errorlevel 1 @x264.exe -p 2 -o \"D:\\v\\b.264\" \"C:\\enc\\avs\\b.mkv.avs\"",
        "@bepipe.exe --script \"import(^C:\\enc\\avs\\b.mkv.avs^)\" | enc_aacplus.exe - "
        "\"D:\\v\\b.audio.aac\" --cbr 64000",
        "@mkvmerge -o \"D:\\v\\b.mkv\" \"D:\\v\\b.264\" \"D:\\v\\b.audio.aac\"",
        "@echo+",
        "@echo.", // "Audio Only": the audio file
        "@echo Input:\"C:\\in\\c.avs\"",
        "@echo Output:\"D:\\v\\c.mp4\"",
        "@echo Encode Mode:Automated Double Passes",
        "@bepipe.exe --script \"import(^C:\\in\\c.avs^)\" | neroaacenc.exe -if - -of "
        "\"D:\\v\\c.audio.mp4\" -ignorelength -q 0.5",
        "@echo+",
        "@echo.", // disabled
        "@rem @echo Input:\"C:\\in\\d.avs\"",
        "@rem @x264.exe -o \"D:\\v\\d.mp4\" \"C:\\in\\d.avs\"",
        "@echo+",
        "@echo.", // refused or emptied: the markers only
        "@echo+",
        "@echo.", // its output edited from .mp4 to .mkv: the edited name
        "@echo Input:\"C:\\in\\f.y4m\"",
        "@echo Output:\"D:\\v\\f.mp4\"",
        "@x264.exe --crf 20 -o \"D:\\v\\f.mkv\" \"C:\\in\\f -o x.y4m\"",
        "@echo+",
        "@echo.", // a Matroska output muxed beside itself and moved into its place
        "@x264.exe -o \"D:\\v\\g.mkv\" \"C:\\in\\g.y4m\"",
        "@bepipe.exe --script \"import(^C:\\in\\g.y4m^)\" | enc_aacplus.exe - "
        "\"D:\\v\\g.audio.aac\" --cbr 64000",
        "@mkvmerge -o \"D:\\v\\g.muxed.mkv\" \"D:\\v\\g.mkv\" \"D:\\v\\g.audio.aac\"",
        "@if exist \"D:\\v\\g.muxed.mkv\" del \"D:\\v\\g.audio.aac\"",
        "@if exist \"D:\\v\\g.muxed.mkv\" move /y \"D:\\v\\g.muxed.mkv\" \"D:\\v\\g.mkv\"",
        "@echo+",
        "@echo.", // its end edited away: it runs up to the next block
        "@x264.exe -p 1 --stats \"C:\\s.stat\" -o nul \"C:\\in\\e.avs\"",
        "@x264.exe -o \"D:\\v\\e.mp4\" \"C:\\in\\e.avs\"",
        "@echo.",
        "@x264.exe -o \"D:\\v\\h.mp4\" \"C:\\in\\h.avs\"", // and the last one to the list's end
    };
    struct Expected {
        const char* input;
        const char* final_file;
        const char* log;
        bool ended;
    } expected[] = {
        {"C:\\in\\a.y4m", "D:\\v\\50%\\a.mp4", "C:\\enc\\log\\a.y4m.txt", true},
        {"C:\\enc\\avs\\b.mkv.avs", "D:\\v\\b.mkv", "", true},
        {"C:\\in\\c.avs", "D:\\v\\c.audio.mp4", "", true},
        {"C:\\in\\f.y4m", "D:\\v\\f.mkv", "", true},
        {"", "D:\\v\\g.mkv", "", true},
        {"", "D:\\v\\e.mp4", "", false},
        {"", "D:\\v\\h.mp4", "", false},
    };
    std::vector<JobBlock> jobs = live_jobs(lines);
    ASSERT_EQ(jobs.size(), std::size(expected));
    for (size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(jobs[i].input, expected[i].input);
        EXPECT_EQ(jobs[i].final_file, expected[i].final_file);
        EXPECT_EQ(jobs[i].log_file, expected[i].log);
        EXPECT_EQ(jobs[i].ended, expected[i].ended);
    }
    // Every block, the dead ones too; lines outside them belong to none.
    std::vector<JobBlock> all = job_blocks(lines);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_FALSE(all[3].live);
    EXPECT_FALSE(all[4].live);
    EXPECT_FALSE(block_around(lines, 0));
    EXPECT_EQ(block_around(lines, 5)->first, 1u);
    EXPECT_EQ(block_around(lines, 8)->first, 1u);                            // its "@echo+"
    EXPECT_EQ(block_around(lines, lines.size() - 3)->end, lines.size() - 2); // "e" stops at "h"
    EXPECT_EQ(block_around(lines, lines.size() - 1)->end, lines.size());
}

TEST(JobBlocks, ProgramsInAnyLetterCaseWithOrWithoutTheAtSign) {
    struct Case {
        const char* line;
        LineKind kind;
        const char* written; // "" for none
        const char* log;
    } cases[] = {
        {"@X264.EXE --crf 20 -o \"D:\\v\\a.mkv\" \"C:\\a.y4m\" 2>&1|RUNLOG.EXE \"C:\\l\\a.txt\"",
         LineKind::x264, "D:\\v\\a.mkv", "C:\\l\\a.txt"},
        {"x264.exe --crf 20 -o \"D:\\v\\b.mkv\" \"C:\\b.y4m\"", LineKind::x264, "D:\\v\\b.mkv", ""},
        {"@if errorlevel 1 X264 -p 2 -o \"D:\\v\\c.mkv\" \"C:\\c.y4m\"", LineKind::x264,
         "D:\\v\\c.mkv", ""},
        // An unquoted -o is read as the interpreter reads it, never as the
        // input that follows.
        {"@x264.exe --crf 20 -o D:\\v\\d.mkv \"C:\\d.y4m\"", LineKind::x264, "D:\\v\\d.mkv", ""},
        {"@x264.exe --crf 20 -o D:\\v\\e.mkv C:\\e.y4m 2>&1|runlog.exe C:\\l\\e.txt",
         LineKind::x264, "D:\\v\\e.mkv", "C:\\l\\e.txt"},
        {"@MKVMERGE -o \"D:\\v\\f.mkv\" \"D:\\v\\f.264\"", LineKind::mux, "D:\\v\\f.mkv", ""},
        {"REM @x264.exe -o \"D:\\v\\g.mkv\" \"C:\\g.y4m\"", LineKind::disabled, "", ""},
        {"@myenc.exe -o \"D:\\v\\h.mkv\"", LineKind::other, "", ""},
        {"@x264dump.exe \"D:\\v\\i.mkv\"", LineKind::other, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(line_kind(c.line), c.kind) << c.line;
        EXPECT_EQ(written_file(c.line).value_or(""), c.written) << c.line;
        EXPECT_EQ(log_file(c.line).value_or(""), c.log) << c.line;
    }
    EXPECT_EQ(x264_call("@X264.EXE --crf 20 -o a.mkv a.y4m"), "x264.exe --crf 20 -o a.mkv a.y4m");
    EXPECT_EQ(x264_call("x264 --crf 20"), "x264.exe --crf 20");
    // A block of a program of nobody's is a job all the same: it runs.
    std::vector<JobBlock> blocks =
        live_jobs({"@echo.", "@myenc.exe -o \"D:\\v\\h.mkv\"", "@echo+", "@echo.",
                   "@X264.EXE -o \"D:\\v\\a.mkv\" \"C:\\a.y4m\"", "@echo+"});
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].final_file, "D:\\v\\a.mkv");
}
