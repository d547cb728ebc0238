// Inversion, band-pass and echo stages.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "plugin/effects.h"
#include "plugin/gain_control.h"

using namespace levo;

namespace {

struct Effects : ::testing::Test {
    std::unique_ptr<PluginState> st = std::make_unique<PluginState>();
    PluginSettings set;
    BlockSettings s() { return snapshot(set); }
};

} // namespace

TEST_F(Effects, InvertsTheLeftChannelOnly) {
    set.invert = 1;
    std::vector<int16_t> b = {100, 5, -1, 6, -32768, 7};
    invert_left(b.data(), {3, 16, 2, 44100}, s());
    EXPECT_EQ(b, (std::vector<int16_t>{-101, 5, 0, 6, 32767, 7}));
    set.vpb = 1;
    invert_left(b.data(), {3, 16, 2, 44100}, s());
    EXPECT_EQ(b[0], -101);
    set.vpb = 0;
    invert_left(b.data(), {6, 16, 1, 44100}, s());
    EXPECT_EQ(b[0], -101); // mono: nothing
}

TEST(Biquad, CookbookCoefficients) {
    Biquad a = designBiquad(1000, 44100, 0.5);
    EXPECT_NEAR(a.c0, 0.024213, 1e-6);
    EXPECT_EQ(a.c1, 0.0f);
    EXPECT_NEAR(a.c2, -0.024213, 1e-6);
    EXPECT_NEAR(a.c3, -1.931800, 1e-6);
    EXPECT_NEAR(a.c4, 0.951574, 1e-6);
    Biquad b = designBiquad(500, 44100, 0.5);
    EXPECT_NEAR(b.c0, 0.012255, 1e-6);
    EXPECT_NEAR(b.c3, -1.970480, 1e-6);
    EXPECT_NEAR(b.c4, 0.975491, 1e-6);
    EXPECT_EQ(b.x1 + b.x2 + b.y1 + b.y2, 0.0f);
}

TEST_F(Effects, BandPassMixesToMonoWithTruncation) {
    std::vector<int16_t> b = {3, -4, -3, 0};
    bandpass_int(*st, b.data(), {2, 16, 2, 44100});
    ASSERT_NE(st->passband, nullptr);
    // Mono 0 and -1 filtered: 0 -> 0; -1 -> c0 × -1 = -0.024 truncates to 0.
    EXPECT_EQ(b, (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(st->passband->x1, -1.0f);
    EXPECT_EQ(st->passband->x2, 0.0f);
    // The filter lives on; a new rate replaces it with one for that rate.
    Biquad* first = st->passband;
    st->lastrate = 44100;
    bandpass_int(*st, b.data(), {2, 16, 2, 44100});
    EXPECT_EQ(st->passband, first);
    bandpass_float(*st, st->floatin, {2, 16, 2, 48000});
    EXPECT_NEAR(st->passband->c0, designBiquad(500, 48000, 0.5).c0, 1e-9);
    release_passband(*st);
}

TEST_F(Effects, BandPassFiltersMonoInPlaceAndSkipsTheEcho) {
    set.vpb = 1;
    set.echo = 1;
    std::vector<int16_t> b = {10000, 10000, 10000, 10000};
    st->gain = 256;
    processSamples(*st, set, b.data(), 4, 16, 1, 44100);
    EXPECT_EQ(b[0], 242);        // 10000 × c0, truncated (gain stays near unity)
    EXPECT_EQ(st->echowrite, 0); // no echo on mono
    release_passband(*st);
}

TEST_F(Effects, EchoTapsLandByLagParity) {
    set.echo = 1, set.esep = 0, set.evol = 100; // wet = tap A
    // D = (edelay × srate × 2) / 1000. 20 ms at 44100 Hz: D = 1764 (even).
    auto taps = [&](int32_t edelay, int32_t srate, int32_t frames) {
        st = std::make_unique<PluginState>();
        set.edelay = edelay;
        std::vector<int16_t> b(2 * frames);
        for (int32_t f = 0; f < frames; ++f)
            b[2 * f] = static_cast<int16_t>(2 * f), b[2 * f + 1] = static_cast<int16_t>(2 * f + 1);
        auto dry = b;
        echo_int(*st, b.data(), {frames, 16, 2, srate}, s());
        return std::pair{dry, b};
    };
    {
        auto [dry, out] = taps(20, 44100, 1000);
        EXPECT_EQ(st->echoread, static_cast<uint16_t>(63773 + 2000));
        // Left of frame 900: tap A is the right value of frame 900 - 882.
        int32_t f = 900;
        EXPECT_EQ(out[2 * f], (dry[2 * f] + dry[2 * (f - 882) + 1] + 1) >> 1);
        // Before the lag reaches back past the restart: the dry value halved.
        EXPECT_EQ(out[2 * 10], (dry[2 * 10] + 1) >> 1);
    }
    {
        auto [dry, out] = taps(25, 44100, 1500); // D = 2205 (odd)
        int32_t f = 1400;
        EXPECT_EQ(out[2 * f], (dry[2 * f] + dry[2 * (f - 1102)] + 1) >> 1); // same channel
        EXPECT_EQ(out[2 * f + 1], (dry[2 * f + 1] + dry[2 * (f - 1102) + 1] + 1) >> 1);
    }
    {
        set.esep = 100; // wet = tap B
        auto [dry, out] = taps(20, 44100, 1000);
        int32_t f = 900;
        EXPECT_EQ(out[2 * f], (dry[2 * f] + dry[2 * (f - 881)] + 1) >> 1);
        set.esep = 0;
    }
    {
        // 500 ms at 96000 Hz: D = 96000 wraps to 30464 values, 15232 frames.
        st = std::make_unique<PluginState>();
        set.edelay = 500;
        std::vector<int16_t> first(2 * 15000, 0), second(2 * 1000);
        first[2 * 300] = 999; // left of frame 300
        echo_int(*st, first.data(), {15000, 16, 2, 96000}, s());
        st->lastrate = 96000, st->lastbits = 16, st->lastchannels = 2; // as after a block
        echo_int(*st, second.data(), {1000, 16, 2, 96000}, s());
        // D even: a right output's tap A is the left value D/2 - 1 frames back.
        int32_t f = 300 + 15231 - 15000;
        EXPECT_EQ(second[2 * f + 1], (999 + 1) >> 1);
    }
}

TEST_F(Effects, EchoMixValue) {
    // esep 0, evol 100: wA = wV = 256, so wet is tap A itself. 5 ms at
    // 44100 Hz gives D = 441 (odd): tap A is the same channel 220 frames back.
    set.echo = 1, set.esep = 0, set.evol = 100, set.edelay = 5;
    std::vector<int16_t> b(2 * 441, 0);
    b[0] = 1000;
    echo_int(*st, b.data(), {441, 16, 2, 44100}, s());
    EXPECT_EQ(b[2 * 220], 500); // (0 + 1000 + 1) >> 1
    EXPECT_EQ(b[0], 500);       // its own taps reach before the restart: dry halved
    EXPECT_EQ(b[2 * 220 + 1], 0);
}

TEST_F(Effects, MonitorBoundaries) {
    set.echo = 1, set.esep = 0, set.evol = 50, set.emon = 1, set.elevel = 0, set.edelay = 5;
    auto peak_run = [&](int16_t tap) {
        st = std::make_unique<PluginState>();
        st->evolauto = 50;
        std::vector<int16_t> b(2 * 441, 0);
        b[0] = tap;
        echo_int(*st, b.data(), {441, 16, 2, 44100}, s()); // tap lands in the next block
        st->lastrate = 44100;
        std::vector<int16_t> c(2 * 441, 0);
        echo_int(*st, c.data(), {441, 16, 2, 44100}, s());
        return st->evolauto.load();
    };
    // wet = tap × 0.5 (evol 50): a wet peak of 16 leaves the volume alone, 17 lowers it.
    EXPECT_EQ(peak_run(32), 50);
    EXPECT_EQ(peak_run(34), 49);
    set.elevel = 1;               // target (1 << 15) / 100 = 327
    EXPECT_EQ(peak_run(654), 50); // peak exactly the target
    EXPECT_EQ(peak_run(660), 49);
    EXPECT_EQ(peak_run(600), 51);
}

TEST_F(Effects, AChangeOfBitDepthRestartsTheEchoAndKeepsValuesInTheirFormat) {
    set.echo = 1;
    set.evol = 100;
    set.edelay = 5;
    std::vector<int16_t> loud(2 * 576, 30000);
    for (int i = 0; i < 8; ++i) processSamples(*st, set, loud.data(), 576, 16, 2, 44100);
    std::vector<int16_t> quiet(2 * 576);
    for (size_t k = 0; k < quiet.size(); ++k) quiet[k] = static_cast<int16_t>(k % 2 ? 100 : -100);
    processSamples(*st, set, quiet.data(), 576, 8, 2, 44100);
    for (int16_t v : quiet) {
        ASSERT_GE(v, -128);
        ASSERT_LE(v, 127);
    }
    // The line holds only what the 8-bit block fed it.
    for (int16_t v : st->echoline16) ASSERT_LE(std::abs(v), 128);
}
