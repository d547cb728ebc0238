// The platform's media probe on small AVI files made with ffmpeg at build time.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "frontend/commands/input_probe.h"
#include "platform/media_probe.h"

namespace {

// The build tree's media folder, as this platform names it.
std::string media(const std::string& name) {
    std::string path = std::string(QUORBEL_TEST_MEDIA) + "/" + name;
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path; // wine maps the Unix root to Z:
#endif
    return path;
}

} // namespace

TEST(MediaLength, FromWhatTheFrameworkReports) {
    // Frames known: the rate is frames × 1000 ÷ whole milliseconds.
    EXPECT_EQ(platform::media_length(100, 40000000, 400000).frame_rate, 25);
    EXPECT_EQ(platform::media_length(96, 40040000, 417083).frame_rate, 23);
    // Frames unknown: whole seconds × frames per second, fraction dropped.
    platform::MediaLength l = platform::media_length(-1, 40040000, 417083);
    EXPECT_EQ(l.frame_count, 95);
    EXPECT_EQ(l.frame_rate, 95000 / 4004);
    // No length, or under a millisecond: rate 0.
    EXPECT_EQ(platform::media_length(10, 0, 400000).frame_rate, 0);
    EXPECT_EQ(platform::media_length(10, 9999, 400000).frame_rate, 0);
    EXPECT_EQ(platform::media_length(-1, 0, 0).frame_count, 0);
    // Counts too large to be real (a corrupt header) give no rate.
    EXPECT_EQ(platform::media_length(INT64_MAX / 1000 + 1, 40000000, 400000).frame_rate, 0);
    EXPECT_EQ(platform::media_length(INT64_MAX, 40000000, 400000).frame_rate, 0);
    EXPECT_EQ(platform::media_length(-1, INT64_MAX, 1).frame_rate, 0);
}

TEST(MediaProbe, ReadsLengthAndRateOfAnAvi) {
    platform::MediaProbe& probe = platform::native_media_probe();
    auto pal = probe.media_probe(media("pal_4s.avi"));
    ASSERT_TRUE(pal);
    EXPECT_EQ(pal->frame_count, 100);
    EXPECT_EQ(pal->frame_rate, 25);

    auto film = probe.media_probe(media("film_4s.avi"));
    ASSERT_TRUE(film);
    // 96 frames at 23.976/s: 4004 ms. A framework that reports frames gives
    // 96; one that does not gives 4 whole seconds × 23.976 = 95.
    EXPECT_TRUE(film->frame_count == 96 || film->frame_count == 95) << film->frame_count;
    EXPECT_EQ(film->frame_rate, film->frame_count * 1000 / 4004);
    EXPECT_EQ(film->frame_rate, 23);
}

TEST(MediaProbe, FilesThatCannotBeOpened) {
    platform::MediaProbe& probe = platform::native_media_probe();
    EXPECT_FALSE(probe.media_probe(media("missing.avi")));
    EXPECT_FALSE(probe.media_probe(media("not_media.avi")));
}

// Without AviSynth no framework opens a wrapper script; it is measured by the
// source its first line names, and each input only once.
TEST(InputProbe, MeasuresAWrapperBySourceAndEachInputOnce) {
    struct Counting final : platform::MediaProbe {
        platform::MediaProbe& real = platform::native_media_probe();
        std::vector<std::string> asked;
        std::optional<platform::MediaLength> media_probe(const std::string& path) override {
            asked.push_back(path);
            return real.media_probe(path);
        }
    } counting;
    std::string wrapper = media("wrapped.avs"), plain = media("plain.avs");
    platform::Os& os = platform::native_os();
    ASSERT_TRUE(os.write_file(wrapper, "fs=\"" + media("pal_4s.avi") +
                                           "\"\r\nmfn=\"x\"\r\nimport(\"..\\avsinc\\.avs\")\r\n"));
    ASSERT_TRUE(os.write_file(plain, "BlankClip()\r\n"));
    commands::InputProbe probe(counting, os);
    for (int i = 0; i < 2; ++i) {
        auto length = probe.media_probe(wrapper);
        ASSERT_TRUE(length);
        EXPECT_EQ(length->frame_count, 100);
        EXPECT_FALSE(probe.media_probe(plain));
    }
    EXPECT_EQ(counting.asked, (std::vector<std::string>{wrapper, media("pal_4s.avi"), plain}));
    EXPECT_EQ(probe.source_of(wrapper), media("pal_4s.avi"));
    EXPECT_EQ(probe.source_of(plain), plain);
    EXPECT_EQ(probe.source_of(media("pal_4s.avi")), media("pal_4s.avi"));
}
