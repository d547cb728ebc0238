// Generated lines run by the real command interpreter (wine's cmd under test).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/batch_script.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/text_parts.h"
#include "platform/os.h"
#include "test_support.h"

namespace {

platform::Os& os = platform::native_os();

using test::read;
using test::shell;

// Writes the job lines as "Make BAT" does, with `folder` as the program's
// folder, and runs the file with the command interpreter.
void run_batch(const std::string& folder, const commands::JobList& jobs) {
    std::string bat = folder + "job.bat";
    ASSERT_TRUE(os.write_file(bat, commands::saved_batch_text(folder, jobs)));
    shell("\"" + bat + "\" >nul 2>&1");
}

struct ScriptRun : ::testing::Test {
    // Names with "%" signs, which the interpreter would expand if left single.
    test::TempFolder dir;
    std::string folder = dir.path() + "50%off\\";
    settings::Settings s;
    void SetUp() override {
        ASSERT_TRUE(os.create_folder(folder));
        std::string stub = *os.read_file(os.program_folder() + "stubs\\mkvmerge.exe");
        ASSERT_TRUE(os.write_file(folder + "mkvmerge.exe", stub));
        s.muxer = 2;
    }
    void mux(const std::string& out, const std::string& audio) {
        os.write_file(out, "video;");
        os.write_file(audio, "audio");
        s.outfile = out;
        commands::JobList jobs;
        commands::mux_command(s, "\"" + commands::script_name(audio) + "\"", jobs);
        run_batch(folder, jobs);
    }
};

} // namespace

TEST_F(ScriptRun, MatroskaMuxLeavesOneFileWithVideoAndAudio) {
    mux(folder + "%clip%.mp4", folder + "%clip%.audio.mp4");
    EXPECT_EQ(read(folder + "%clip%.mkv"), "video;audio");
    EXPECT_FALSE(os.file_exists(folder + "%clip%.mp4"));
    EXPECT_FALSE(os.file_exists(folder + "%clip%.audio.mp4"));
}

TEST_F(ScriptRun, MatroskaOutputKeepsItsNameAndGainsTheAudio) {
    mux(folder + "%clip%.mkv", folder + "%clip%.audio.mp4");
    EXPECT_EQ(read(folder + "%clip%.mkv"), "video;audio");
    EXPECT_FALSE(os.file_exists(folder + "%clip%.audio.mp4"));
    EXPECT_FALSE(os.file_exists(folder + "%clip%.muxed.mkv"));
}

TEST_F(ScriptRun, EchoLinesShowTheNamesAsPicked) {
    s.infile = folder + "in%1.avs";
    s.outfile = folder + "out%PATH%.mp4";
    s.muxer = 4, s.ae = -1; // audio only, no encoder: just the echo lines
    commands::JobList block = commands::job_block(s, {});
    commands::JobList jobs(block.begin() + 1, block.end() - 1); // the job's lines
    ASSERT_EQ(jobs.size(), 3u);
    std::string bat = folder + "echo.bat";
    os.write_file(bat, jobs[0] + "\r\n" + jobs[1] + "\r\n");
    shell("\"" + bat + "\" > \"" + folder + "echo.txt\"");
    EXPECT_EQ(read(folder + "echo.txt"),
              "Input:\"" + folder + "in%1.avs\"\r\nOutput:\"" + folder + "out%PATH%.mp4\"\r\n");
}

namespace {

// A program folder holding the real console tools and a stand-in x264.
struct ConditionalJob : ::testing::Test {
    test::TempFolder dir;
    std::string folder = dir.path() + "enc 1\\";
    settings::Settings s;
    commands::JobList jobs;

    void SetUp() override {
        ASSERT_TRUE(os.create_folder(folder));
        ASSERT_TRUE(os.create_folder(folder + "log"));
        std::string bin = os.program_folder();
        for (auto [from, to] : {std::pair{"runlog.exe", "runlog.exe"},
                                {"sizegate.exe", "sizegate.exe"},
                                {"stubs\\chatter.exe", "x264.exe"}})
            ASSERT_TRUE(os.write_file(folder + to, *os.read_file(bin + from)));
        s.mode = 13, s.crelog = 1, s.aud = 0, s.minsize = "90", s.maxsize = "110";
        s.infile = folder + "my movie.avs";
        s.outfile = folder + "my movie.mp4";
        s.logname = folder + "log\\my movie.avs.txt";
        s.statsname = folder + "my movie.stat";
        jobs = commands::job_block(s, {});
    }

    // The log's blocks, each checked for its frame; returns their bodies.
    std::vector<std::string> log_blocks() {
        std::string text = read(folder + "log\\my movie.avs.txt");
        std::vector<std::string> bodies;
        const std::regex block("--------------------------------------------------\r\n"
                               "StartTime:\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n"
                               "([^]*?)EndTime:\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n");
        for (std::sregex_iterator it(text.begin(), text.end(), block), end; it != end; ++it)
            bodies.push_back((*it)[1]);
        return bodies;
    }
};

const std::string x264_output = "[10.0%] 1/10 frames\rencoded 10 frames\r\ndone";

} // namespace

TEST_F(ConditionalJob, SecondPassRunsWhenTheFirstMissesTheSize) {
    os.write_file(folder + "my movie.mp4", "too small");
    run_batch(folder, jobs);
    EXPECT_EQ(log_blocks(), (std::vector<std::string>{x264_output, x264_output}));
}

TEST_F(ConditionalJob, SecondPassIsSkippedWhenTheSizeFits) {
    os.write_file(folder + "my movie.mp4", "");
    std::filesystem::resize_file(folder + "my movie.mp4", 104857600);
    run_batch(folder, jobs);
    EXPECT_EQ(log_blocks(), (std::vector<std::string>{x264_output}));
}
