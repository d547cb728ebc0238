// Inputs that x264 opens itself, and jobs whose target size cannot be met.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/job_files.h"
#include "test_support.h"

using namespace commands;
using settings::Settings;

TEST(DirectInput, PickedInputsStayAsPickedAndTheirAudioIsDecodedByFfmpeg) {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    ASSERT_TRUE(os.create_folder(dir.path() + "avs"));
    Settings s;
    s.x264input = "direct";
    s.infile = "D:\\v\\clip.mkv";
    const std::string p = dir.path();
    derive_job_files(s, "D:\\v\\", {p + "avs\\", p + "stats\\", p + "log\\"}, os);
    EXPECT_EQ(s.infile, "D:\\v\\clip.mkv");
    EXPECT_EQ(s.outfile, "D:\\v\\clip.mp4");
    EXPECT_EQ(s.statsname, dir.path() + "stats\\clip.mkv.stat");
    EXPECT_EQ(s.logname, dir.path() + "log\\clip.mkv.txt");
    EXPECT_TRUE(os.list_folder(dir.path() + "avs\\*").empty()); // no wrapper

    s.muxer = 3;
    const char* expected[] = {
        "@ffmpeg.exe -v error -i \"D:\\v\\clip.mkv\" -vn -ac 2 -f wav - | enc_aacplus.exe - "
        "\"D:\\v\\clip.audio.aac\" --cbr 64000",
        "@ffmpeg.exe -v error -i \"D:\\v\\clip.mkv\" -vn -ac 2 -f wav - | neroaacenc.exe -if - -of "
        "\"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 64000",
        "@ffmpeg.exe -v error -i \"D:\\v\\clip.mkv\" -vn -ac 2 -f wav - | neroaacenc_sse2.exe -if "
        "- "
        "-of \"D:\\v\\clip.audio.mp4\" -ignorelength -q 64",
    };
    int encoders[] = {0, 1, 6};
    for (int i = 0; i < 3; ++i) {
        JobList jobs;
        audio_command(s, encoders[i], jobs);
        EXPECT_EQ(jobs, JobList{expected[i]}) << encoders[i];
    }
}

TEST(JobRefusal, ATargetSizeWithoutABitrateRefusesTheJobNamingTheSource) {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    test::FakeProbe media;
    media.media["D:\\v\\ten.y4m"] = {250, 25};
    media.media["D:\\v\\blip.y4m"] = {10, 25}; // 0.4 s: rounds to 0 seconds
    media.media["D:\\v\\still.y4m"] = {1, 0};  // no frame rate
    std::string wrapper = dir.file("ten.y4m.avs"), broken = dir.file("gone.avs");
    ASSERT_TRUE(os.write_file(wrapper, wrapper_script("D:\\v\\ten.y4m", "default")));
    ASSERT_TRUE(os.write_file(broken, wrapper_script("D:\\v\\gone.y4m", "default")));

    struct Case {
        const char* input;
        int mode, sizemode, muxer;
        const char* refusal; // empty: accepted
    } cases[] = {
        {"D:\\v\\ten.y4m", 0, 1, 0, ""},
        {wrapper.c_str(), 6, 1, 0, ""}, // a wrapper is measured by its source
        {"D:\\v\\gone.y4m", 0, 1, 0,
         "The job for \"D:\\v\\gone.y4m\" was not added: its target "
         "size needs its length, and it cannot be measured"},
        {broken.c_str(), 13, 1, 0,
         "The job for \"D:\\v\\gone.y4m\" was not added: its target size "
         "needs its length, and it cannot be measured"},
        {"D:\\v\\blip.y4m", 7, 1, 0,
         "The job for \"D:\\v\\blip.y4m\" was not added: its target "
         "size needs its length, and it is shorter than half a "
         "second"},
        {"D:\\v\\still.y4m", 10, 1, 0,
         "The job for \"D:\\v\\still.y4m\" was not added: its target "
         "size needs its length, and its length cannot be "
         "measured"},
        // No target size, a quantizer mode or no pass at all: nothing to measure.
        {"D:\\v\\gone.y4m", 0, 0, 0, ""},
        {"D:\\v\\gone.y4m", 2, 1, 0, ""},
        {"D:\\v\\gone.y4m", 0, 1, 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + std::to_string(c.mode));
        Settings s;
        s.infile = c.input, s.outfile = "D:\\v\\out.mkv";
        s.mode = c.mode, s.sizemode = c.sizemode, s.muxer = c.muxer, s.value = "2";
        InputProbe probe(media, os);
        std::optional<Refusal> refusal = job_refusal(s, probe, os);
        EXPECT_EQ(refusal ? refusal_text(*refusal) : "", c.refusal);
    }
    // A job without output is refused before anything is measured.
    Settings s;
    s.infile = "D:\\v\\gone.y4m", s.sizemode = 1, s.mode = 0;
    InputProbe probe(media, os);
    std::optional<Refusal> refusal = job_refusal(s, probe, os);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal_text(*refusal), "Choose an input file and an output file first");
}
