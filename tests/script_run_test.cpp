// Generated lines run by the real command interpreter (wine's cmd under test).
#include <gtest/gtest.h>

#include <cstdlib>

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/text_parts.h"
#include "frontend/ui/batch_script.h"
#include "platform/os.h"
#include "test_support.h"

namespace {

platform::Os& os = platform::native_os();

// cmd /c drops the outermost pair of quotes, so the whole command gets one.
void shell(const std::string& command) {
    std::system(("\"" + command + "\"").c_str());
}

// Writes the job lines as "Make BAT" does, with `folder` as the program's
// folder, and runs the file with the command interpreter.
void run_batch(const std::string& folder, const commands::JobList& jobs) {
    std::string bat = folder + "job.bat";
    ASSERT_TRUE(os.write_file(bat, ui::saved_batch_text(folder, jobs)));
    shell("\"" + bat + "\" >nul 2>&1");
}

std::string read(const std::string& path) {
    return os.read_file(path).value_or("<missing>");
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
    commands::JobList jobs;
    class NoProbe final : public platform::MediaProbe {
        std::optional<platform::MediaLength> media_probe(const std::string&) override { return {}; }
    } probe;
    commands::JobContext ctx{s, jobs, probe};
    commands::add_job(ctx);
    ASSERT_EQ(jobs.size(), 3u);
    std::string bat = folder + "echo.bat";
    os.write_file(bat, jobs[0] + "\r\n" + jobs[1] + "\r\n");
    shell("\"" + bat + "\" > \"" + folder + "echo.txt\"");
    EXPECT_EQ(read(folder + "echo.txt"),
              "Input:\"" + folder + "in%1.avs\"\r\nOutput:\"" + folder + "out%PATH%.mp4\"\r\n");
}
