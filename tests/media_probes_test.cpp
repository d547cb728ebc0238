// The ways a job's input is measured: the .y4m header reader on files made
// by ffmpeg, ffprobe's output, and the chain of ways with the platform's
// frameworks made to fail through the seam.
#include <gtest/gtest.h>

#include <algorithm>

#include "frontend/commands/input_probe.h"
#include "frontend/commands/job_check.h"
#include "platform/ffprobe_probe.h"
#include "platform/media_probes.h"
#include "platform/y4m_probe.h"
#ifdef _WIN32
#include "platform/media_probe_mf.h"
#endif
#include "test_support.h"

namespace {

std::string media(const std::string& name) {
    std::string path = std::string(QUORBEL_TEST_MEDIA) + "/" + name;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
#endif
    return path;
}

platform::Os& os = platform::native_os();

} // namespace

TEST(Y4mLength, FramesExactlyAndTheRateAsTheFrameworksGiveIt) {
    struct Case {
        const char* file;
        int64_t frames, rate; // rate: frames × 1000 ÷ whole milliseconds
    } cases[] = {
        {"film.y4m", 30, 30 * 1000 / 1251}, // 24000/1001: 1251.25 ms
        {"pal.y4m", 30, 25},                // 1200 ms
        {"ntsc.y4m", 30, 30 * 1000 / 1001}, // 30000/1001: 1001 ms
        {"fifty.y4m", 30, 50},              // 600 ms
        {"interlaced.y4m", 30, 25},         // "It": as progressive
        {"odd.y4m", 12, 25},                // 63×47: chroma rounded up
        {"deep_422p10.y4m", 12, 25},        // 4:2:2, two bytes a sample
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::optional<platform::MediaLength> length = platform::y4m_length(os, media(c.file));
        ASSERT_TRUE(length);
        EXPECT_EQ(length->frame_count, c.frames);
        EXPECT_EQ(length->frame_rate, c.rate);
    }
    // Not a .y4m, or not there.
    EXPECT_FALSE(platform::y4m_length(os, media("pal_4s.avi")));
    EXPECT_FALSE(platform::y4m_length(os, media("missing.y4m")));
}

TEST(Y4mLength, FrameLinesWithParametersAndACutOffLastFrame) {
    test::TempFolder dir;
    const std::string picture(4 * 2 + 2 * 2 * 1, 'p'); // 4×2 in 4:2:0
    std::string text = "YUV4MPEG2 W4 H2 F10:1 Ip XCOMMENT=yes\n";
    for (int i = 0; i < 5; ++i) text += "FRAME Ip XF=" + std::to_string(i) + "\n" + picture;
    ASSERT_TRUE(os.write_file(dir.file("params.y4m"), text));
    std::optional<platform::MediaLength> length = platform::y4m_length(os, dir.file("params.y4m"));
    ASSERT_TRUE(length);
    EXPECT_EQ(length->frame_count, 5);
    EXPECT_EQ(length->frame_rate, 10);
    // A file cut in its last frame: the frames that are whole.
    std::string pal = *os.read_file(media("pal.y4m"));
    ASSERT_TRUE(os.write_file(dir.file("cut.y4m"), pal.substr(0, pal.size() - 100)));
    length = platform::y4m_length(os, dir.file("cut.y4m"));
    ASSERT_TRUE(length);
    EXPECT_EQ(length->frame_count, 29);
    // A header without a rate: frames, but no rate.
    ASSERT_TRUE(os.write_file(dir.file("norate.y4m"), "YUV4MPEG2 W4 H2\nFRAME\n" + picture));
    EXPECT_EQ(platform::y4m_length(os, dir.file("norate.y4m"))->frame_rate, 0);
}

TEST(FfprobeLength, FromWhatFfprobePrints) {
    struct Case {
        const char* output;
        std::optional<int64_t> frames, rate;
    } cases[] = {
        {"r_frame_rate=25/1\nduration=4.000000\nnb_frames=100\n", 100, 25},
        // Matroska: the stream has no length of its own; the container's is used.
        {"[STREAM]\r\nr_frame_rate=24000/1001\r\nduration=N/A\r\nnb_frames=N/A\r\n[/STREAM]\r\n"
         "[FORMAT]\r\nduration=4.004000\r\n[/FORMAT]\r\n",
         95, 95000 / 4004},
        {"r_frame_rate=0/0\nduration=4.0\n", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        std::optional<platform::MediaLength> length = platform::ffprobe_length(c.output);
        ASSERT_EQ(length.has_value(), c.frames.has_value());
        if (!length) continue;
        EXPECT_EQ(length->frame_count, *c.frames);
        EXPECT_EQ(length->frame_rate, *c.rate);
    }
}

namespace {

// A framework that opens nothing, in the place of one.
struct Fails final : platform::MediaProbe {
    std::optional<platform::MediaLength> media_probe(const std::string&) override { return {}; }
};

} // namespace

TEST(MediaProbes, TheFirstWayThatAnswersWinsAndTheUserIsToldWhichWereTried) {
    Fails direct_show;
    platform::Y4mProbe y4m(os);
#ifdef _WIN32
    // ffprobe.exe beside the program: the stand-in of the build's stubs.
    std::string stubs = os.program_folder() + "stubs\\";
    platform::FfprobeProbe ffprobe(platform::native_tools(), {stubs});
    platform::MediaProbes probes({{"its .y4m header", &y4m},
                                  {"DirectShow", &direct_show},
                                  {"Media Foundation", &platform::media_foundation_probe()},
                                  {"ffprobe.exe", &ffprobe}});
    // DirectShow made to fail: Media Foundation measures the AVI file.
    std::optional<platform::MediaLength> avi = probes.media_probe(media("pal_4s.avi"));
    ASSERT_TRUE(avi);
    EXPECT_EQ(avi->frame_count, 100);
    EXPECT_EQ(avi->frame_rate, 25);
#else
    // FFmpeg's own ffprobe, on the search path.
    platform::FfprobeProbe ffprobe(platform::native_tools(), {});
    platform::MediaProbes probes(
        {{"its .y4m header", &y4m}, {"DirectShow", &direct_show}, {"ffprobe", &ffprobe}});
#endif
    // The frameworks do not decode FFV1: ffprobe measures it.
    std::optional<platform::MediaLength> mkv = probes.media_probe(media("ffv1.mkv"));
    ASSERT_TRUE(mkv);
    EXPECT_EQ(mkv->frame_count, 100);
    EXPECT_EQ(mkv->frame_rate, 25);
    // A .y4m is read from the file itself, before any framework.
    EXPECT_EQ(probes.media_probe(media("pal.y4m"))->frame_count, 30);

    // Nothing measures text: the job's refusal names the ways tried.
    EXPECT_FALSE(probes.media_probe(media("not_media.avi")));
#ifdef _WIN32
    EXPECT_EQ(probes.tried(), "its .y4m header, DirectShow, Media Foundation and ffprobe.exe");
#endif
    commands::InputProbe input(probes, os);
    settings::Settings s;
    s.infile = media("not_media.avi"), s.outfile = media("out.mkv");
    s.mode = 0, s.sizemode = 1, s.value = "2";
    std::optional<commands::Refusal> refusal = commands::job_refusal(s, input, os);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(commands::refusal_text(*refusal),
              "The job for \"" + media("not_media.avi") +
                  "\" was not added: its target size needs its length, and it cannot be measured "
                  "(tried " +
                  probes.tried() + ")");
}

TEST(MediaProbes, TheProgramsOwnChain) {
    platform::Os& real = platform::native_os();
    std::unique_ptr<platform::MediaProbes> probes =
        platform::native_media_probes(real, platform::native_tools(), {});
#ifdef _WIN32
    EXPECT_EQ(probes->tried(), "its .y4m header, DirectShow, Media Foundation and ffprobe.exe");
#else
    EXPECT_EQ(probes->tried(), "its .y4m header and libavformat");
#endif
    EXPECT_EQ(probes->media_probe(media("ntsc.y4m"))->frame_count, 30);
}
