// Whole script lines: passes, target sizes, job blocks, audio and mux lines.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/pass_command.h"
#include "frontend/commands/size_bitrate.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"
#include "test_support.h"

using namespace commands;
using settings::Settings;

namespace {

using test::common;
using test::fast_first_pass_line;
using test::first_pass_line;
using test::second_pass_line;

std::string pass(Settings s, int mode) {
    test::FakeProbe probe;
    s.mode = mode;
    return test::pass_line(s, probe);
}

// The block "Add" makes, and the fields it empties after it.
JobList block(Settings& s, platform::MediaProbe& probe) {
    commands::TargetRate rate = target_rate(s, probe);
    JobList jobs = job_block(s, rate);
    if (jobs.size() > 2)
        s.infile.clear(), s.outfile.clear(), s.statsname.clear(), s.logname.clear();
    return jobs;
}

// The " -B " piece of a pass in mode `s.mode`, its input measured.
std::string size_bitrate_fragment(const Settings& s, platform::MediaProbe& probe) {
    return bitrate_fragment(s, s.value, target_rate(s, probe));
}

JobList block(Settings& s) {
    test::FakeProbe probe;
    return block(s, probe);
}

size_t count_prefix(const JobList& jobs, const std::string& prefix) {
    size_t n = 0;
    for (const auto& line : jobs) n += line.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

TEST(PassCommand, ReproducesTheWorkedExampleLines) {
    Settings s = test::example_settings();
    EXPECT_EQ(pass(s, 3), first_pass_line);
    EXPECT_EQ(pass(s, 5), second_pass_line);
    EXPECT_EQ(pass(s, 4), fast_first_pass_line);
}

TEST(PassCommand, ModeDifferences) {
    Settings s = test::example_settings();
    EXPECT_EQ(pass(s, 13), "@if errorlevel 1 " + second_pass_line);
    s.upstat = 0;
    std::string p2 = second_pass_line;
    p2.replace(p2.find(" -p 3"), 5, " -p 2");
    EXPECT_EQ(pass(s, 5), p2);
    s.crelog = 0;
    EXPECT_EQ(pass(s, 5), p2.substr(0, p2.find(" 2>&1|")));

    s = test::example_settings();
    s.value = "20.5";
    EXPECT_EQ(pass(s, 1),
              common + " -q 20.5 --qpmin 10 --qpmax 51 --8x8dct -A p8x8,b8x8,i8x8,i4x4 "
                       "--ipratio 1.400000 --pbratio 1.300000 -m 6 -o \"C:\\video\\movie.mp4\" "
                       "\"C:\\video\\movie.avs\" 2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\"");
    EXPECT_EQ(pass(s, 2),
              common + " --crf 20.5 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 6 --qpmin 10 --qpmax 51 "
                       "--qpstep 4 --qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 "
                       "--vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o \"C:\\video\\movie.mp4\" "
                       "\"C:\\video\\movie.avs\" 2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\"");
    const std::string crf_first = " --stats \"C:\\enc\\stats\\movie.avs.stat\" -p 1 --crf 20.5";
    EXPECT_NE(pass(s, 8).find(crf_first + " --8x8dct -A p8x8,b8x8,i8x8,i4x4 --ipratio"),
              std::string::npos);
    EXPECT_NE(pass(s, 9).find(crf_first + " -A p8x8,i4x4 -m 3 --qpmin"), std::string::npos);
    for (int mode : {3, 4, 8, 9})
        EXPECT_NE(pass(s, mode).find(" -o nul \"C:\\video\\movie.avs\""), std::string::npos);
    std::string m12 = pass(s, 12), m8 = pass(s, 8);
    EXPECT_EQ(m12.replace(m12.find(" -o \"C:\\video\\movie.mp4\" "), 25, " -o nul "), m8);

    s.cme = 0;
    EXPECT_EQ(pass(s, 0).find("--no-chroma-me"), std::string::npos);
    EXPECT_NE(pass(s, 1).find("--no-chroma-me"), std::string::npos);
    EXPECT_EQ(pass(s, 1).find("--ratetol"), std::string::npos);
    EXPECT_EQ(pass(s, 1).find("--vbv-init"), std::string::npos);
    EXPECT_EQ(pass(s, 2).find("--ratetol"), std::string::npos);
}

TEST(SizeBitrate, ComputesFromTheProbedLength) {
    EXPECT_EQ(size_bitrate(200, 129470, 23, 64), 232);
    EXPECT_EQ(size_bitrate(700, 129470, 23, 0), 5872025600LL / 5629 / 1002); // needs 64 bits
    EXPECT_EQ(size_bitrate(0, 129470, 23, 0), 0);
    EXPECT_EQ(size_bitrate(0, 129470, 23, 64), -368902144LL / 5629 / 1002);
    EXPECT_EQ(size_bitrate(1, 25, 10, 0), 8388608 / 2 / 1002); // 2.5 s rounds to 2
    EXPECT_EQ(size_bitrate(1, 35, 10, 0), 8388608 / 4 / 1002); // 3.5 s rounds to 4
    // No division by zero: an unknown rate, or under half a second.
    EXPECT_EQ(size_bitrate(200, 129470, 0, 0), std::nullopt);
    EXPECT_EQ(size_bitrate(200, 4, 10, 0), std::nullopt);
}

TEST(SizeBitrate, FragmentProbesOnlyWithSizeOn) {
    test::FakeProbe probe;
    probe.media["in.avs"] = {129470, 23};
    probe.media["short.avs"] = {4, 25};
    probe.media["still.avs"] = {0, 0};
    Settings s;
    s.infile = "in.avs", s.value = "1500", s.aud = 1, s.aub = "64";
    EXPECT_EQ(size_bitrate_fragment(s, probe), " -B 1500");
    EXPECT_EQ(probe.calls, 0);
    s.sizemode = 1, s.value = " 200.0MB";
    EXPECT_EQ(size_bitrate_fragment(s, probe), " -B 232");
    s.aud = 0;
    EXPECT_EQ(size_bitrate_fragment(s, probe), " -B " + std::to_string(1677721600 / 5629 / 1002));
    for (const char* name : {"missing.avs", "short.avs", "still.avs"}) {
        s.infile = name;
        EXPECT_EQ(size_bitrate_fragment(s, probe), "") << name;
    }
    s.mode = 0;
    EXPECT_EQ(test::pass_line(s, probe).find(" -B "), std::string::npos);
}

TEST(JobBlock, ConditionalModeBlock) {
    Settings s = test::example_settings();
    s.mode = 13, s.auto1pcrf = "16", s.minsize = "90", s.maxsize = "110";
    Settings first = s;
    first.mode = 12, first.value = "16";
    JobList expected = {"@echo.",
                        "@echo Input:\"C:\\video\\movie.avs\"",
                        "@echo Output:\"C:\\video\\movie.mp4\"",
                        "@echo Encode Mode:Conditional Double Passes(1P-CRF)",
                        pass(first, 12),
                        "@sizegate.exe 90 110 \"C:\\video\\movie.mp4\"",
                        "@if errorlevel 1 " + second_pass_line,
                        "@echo+"};
    EXPECT_NE(expected[4].find("--stats \"C:\\enc\\stats\\movie.avs.stat\" -p 1 --crf 16"),
              std::string::npos);
    EXPECT_EQ(block(s), expected);
}

TEST(JobBlock, AutomatedModesRestoreTheirFieldsAndClearTheNames) {
    for (int mode : {6, 7, 10, 11, 13}) {
        Settings s = test::example_settings();
        s.mode = mode, s.aud = 1;
        test::FakeProbe probe;
        JobList jobs = block(s, probe);
        EXPECT_EQ(s.mode, mode);
        EXPECT_EQ(s.value, "1000");
        EXPECT_EQ(s.aud, 1);
        EXPECT_EQ(s.infile + s.outfile + s.statsname + s.logname, "");
        // Two passes; audio and mux lines only after the last one.
        EXPECT_EQ(count_prefix(jobs, "@bepipe.exe"), 1u) << mode;
        EXPECT_EQ(jobs[jobs.size() - 4].find("@bepipe.exe"), 0u) << mode;
        EXPECT_NE(jobs[jobs.size() - 5].find("x264.exe"), std::string::npos) << mode;
        EXPECT_NE(jobs[4].find("x264.exe"), std::string::npos) << mode;
    }
    Settings s = test::example_settings();
    s.mode = 6;
    JobList six = block(s);
    EXPECT_EQ(six[4], first_pass_line);
    EXPECT_EQ(six[5], second_pass_line);
    s = test::example_settings();
    s.mode = 7;
    EXPECT_EQ(block(s)[4], fast_first_pass_line);
    s = test::example_settings();
    s.mode = 10, s.auto1pcrf = "18";
    JobList ten = block(s);
    EXPECT_NE(ten[4].find(" -p 1 --crf 18 "), std::string::npos);
    EXPECT_EQ(ten[5], second_pass_line);
}

TEST(JobBlock, AudioFollowsOnlyPassesThatWriteVideo) {
    for (int mode : {0, 1, 2, 3, 4, 5, 8, 9, 12}) {
        Settings s = test::example_settings();
        s.mode = mode, s.aud = 1;
        bool audio = !(mode == 3 || mode == 4 || mode == 8 || mode == 9);
        EXPECT_EQ(count_prefix(block(s), "@bepipe.exe"), audio ? 1u : 0u) << mode;
    }
}

TEST(JobBlock, RefusedAndAudioOnlyJobs) {
    Settings s = test::example_settings();
    s.outfile = "";
    EXPECT_EQ(block(s), (JobList{"@echo.", "@echo+"}));
    EXPECT_EQ(s.infile, "C:\\video\\movie.avs");

    s = test::example_settings();
    s.muxer = 4, s.aud = 0, s.ae = 1, s.aub = "64";
    EXPECT_EQ(block(s), (JobList{"@echo.", "@echo Input:\"C:\\video\\movie.avs\"",
                                 "@echo Output:\"C:\\video\\movie.mp4\"",
                                 "@echo Encode Mode:Automated Double Passes",
                                 "@bepipe.exe --script \"import(^C:\\video\\movie.avs^)\" | "
                                 "neroaacenc.exe -if - -of \"C:\\video\\movie.audio.mp4\" "
                                 "-ignorelength -cbr 64000",
                                 "@echo+"}));
    EXPECT_EQ(s.infile + s.outfile + s.statsname + s.logname, "");
}

TEST(AudioCommand, EveryEncoder) {
    const char* head = "@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.avs^)\" | ";
    const char* expected[] = {
        "enc_aacplus.exe - \"D:\\v\\clip.audio.aac\" --cbr 96000",
        "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 96000",
        "neroaacenc_sse2.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 96000",
        "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -br 96000",
        "neroaacenc_sse2.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -br 96000",
        "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -q 96.5",
        "neroaacenc_sse2.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -q 96.5",
    };
    Settings s;
    s.infile = "C:\\enc\\avs\\clip.avs", s.outfile = "D:\\v\\clip.mp4", s.aub = "96.5", s.muxer = 3;
    for (int ae = 0; ae < 7; ++ae) {
        JobList jobs;
        audio_command(s, ae, jobs);
        EXPECT_EQ(jobs, JobList{head + std::string(expected[ae])}) << ae;
    }
    JobList jobs;
    audio_command(s, -1, jobs);
    audio_command(s, 7, jobs);
    EXPECT_TRUE(jobs.empty());
    s.aub = "64";
    audio_command(s, 0, jobs);
    audio_command(s, 1, jobs);
    EXPECT_EQ(
        jobs,
        (JobList{"@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.avs^)\" | enc_aacplus.exe - "
                 "\"D:\\v\\clip.audio.aac\" --cbr 64000",
                 "@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.avs^)\" | neroaacenc.exe -if - "
                 "-of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 64000"}));
    s.outfile = "D:\\v.1\\clip", s.aub = "";
    jobs.clear();
    audio_command(s, 0, jobs);
    EXPECT_EQ(jobs[0], std::string(head) + "enc_aacplus.exe - \"D:\\v.1\\clipaudio.aac\" --cbr 0");
}

TEST(MuxCommand, EveryMuxer) {
    const std::string audio = "\"D:\\v\\clip.audio.mp4\"";
    const JobList expected[] = {
        {"@mp4box.exe -add \"D:\\v\\clip.audio.mp4\" \"D:\\v\\clip.mp4\"",
         "@if not errorlevel 1 del \"D:\\v\\clip.audio.mp4\""},
        {"@mp4creator.exe -create=\"D:\\v\\clip.audio.mp4\" \"D:\\v\\clip.mp4\"",
         "@if not errorlevel 1 del \"D:\\v\\clip.audio.mp4\""},
        {"@mkvmerge -o \"D:\\v\\clip.mkv\" \"D:\\v\\clip.mp4\" \"D:\\v\\clip.audio.mp4\"",
         "@if exist \"D:\\v\\clip.mkv\" del \"D:\\v\\clip.audio.mp4\"",
         "@if exist \"D:\\v\\clip.mkv\" del \"D:\\v\\clip.mp4\""},
        {},
        {},
    };
    Settings s;
    s.outfile = "D:\\v\\clip.mp4";
    for (int muxer = 0; muxer < 5; ++muxer) {
        s.muxer = muxer;
        JobList jobs;
        mux_command(s, audio, jobs);
        EXPECT_EQ(jobs, expected[muxer]) << muxer;
    }
    s.muxer = 2;
    for (auto [out, mkv] : {std::pair{"D:\\v\\clip.264", "\"D:\\v\\clip.mkv\""},
                            std::pair{"D:\\v\\clip", "\"D:\\v\\clipmkv\""}}) {
        s.outfile = out;
        JobList jobs;
        mux_command(s, audio, jobs);
        EXPECT_EQ(jobs[0], "@mkvmerge -o " + std::string(mkv) + " \"" + out + "\" " + audio);
    }
}

TEST(MuxCommand, MatroskaOutputIsReplacedNotDeleted) {
    Settings s;
    s.muxer = 2;
    s.outfile = "D:\\v\\clip.MKV";
    JobList jobs;
    mux_command(s, "\"D:\\v\\clip.audio.mp4\"", jobs);
    EXPECT_EQ(
        jobs,
        (JobList{
            "@mkvmerge -o \"D:\\v\\clip.muxed.mkv\" \"D:\\v\\clip.MKV\" \"D:\\v\\clip.audio.mp4\"",
            "@if exist \"D:\\v\\clip.muxed.mkv\" del \"D:\\v\\clip.audio.mp4\"",
            "@if exist \"D:\\v\\clip.muxed.mkv\" move /y \"D:\\v\\clip.muxed.mkv\" "
            "\"D:\\v\\clip.MKV\""}));
}

TEST(ScriptNames, PercentSignsAreDoubledInEveryNameOfTheBlock) {
    Settings s = test::example_settings();
    s.mode = 13, s.aud = 1, s.muxer = 0;
    s.infile = "C:\\in\\50%.avs", s.outfile = "C:\\out\\%x%.mp4";
    s.statsname = "C:\\enc\\stats\\50%.avs.stat", s.logname = "C:\\enc\\log\\50%.avs.txt";
    for (const std::string& line : block(s)) {
        // Every "%" stands in a pair.
        for (size_t at = line.find('%'); at != std::string::npos; at = line.find('%', at + 2))
            ASSERT_EQ(line[at + 1], '%') << line;
    }
}

TEST(JobBlock, LinesAreMadeFromTheSettingsAndOneMeasuredBitrateAndChangeNothing) {
    Settings s = test::example_settings();
    s.sizemode = 1, s.value = "200", s.aud = 1, s.aub = "64", s.auto1pcrf = "18";
    const commands::TargetRate rate{232, std::nullopt};
    for (int mode = 0; mode < settings::mode_count; ++mode)
        for (int muxer : {settings::mux_mkvmerge, settings::mux_audio_only}) {
            SCOPED_TRACE(std::to_string(mode) + " " + std::to_string(muxer));
            s.mode = mode, s.muxer = muxer;
            const Settings before = s;
            JobList lines = job_block(s, rate);
            EXPECT_EQ(job_block(s, rate), lines);
            for (const settings::FieldSpec& f : settings::schema())
                EXPECT_EQ(settings::field_text(s, f), settings::field_text(before, f)) << f.key;
        }
    // "Add" measures the input once, for both bitrate passes of mode 6.
    test::FakeProbe probe;
    probe.media[s.infile] = {129470, 23};
    s.mode = 6, s.muxer = 0;
    platform::Os& os = platform::native_os();
    commands::InputProbe measured(probe, os);
    commands::MadeJob job = commands::make_job(s, measured, os);
    ASSERT_FALSE(job.refusal);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(count_prefix(job.lines, "@x264.exe"), 2u);
    for (const std::string& line : job.lines) {
        if (line.rfind("@x264.exe", 0) == 0) {
            EXPECT_NE(line.find(" -B 232 "), std::string::npos) << line;
        }
    }
}
