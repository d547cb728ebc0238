// The gain control of the plug-in, block by block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "plugin/cpu_feature.h"
#include "plugin/gain_control.h"
#include "plugin/gain_kernels.h"

using namespace levo;

namespace {

// Fresh state as initModule leaves it: unity gain, neutral counters.
struct Dsp : ::testing::Test {
    std::unique_ptr<PluginState> st = std::make_unique<PluginState>();
    PluginSettings set;
    void SetUp() override {
        for (auto& c : st->predtable) c = 7;
        st->gain = st->gainmax = st->gainmin = 256;
    }
    int32_t run(std::vector<int16_t>& block, int32_t nch = 2, int32_t bps = 16,
                int32_t srate = 44100) {
        return processSamples(*st, set, block.data(), static_cast<int32_t>(block.size()) / nch, bps,
                              nch, srate);
    }
};

std::vector<int16_t> with_peak(int16_t peak, size_t n = 1152, int16_t rest = 100) {
    std::vector<int16_t> b(n, rest);
    b[5] = peak;
    return b;
}

} // namespace

TEST_F(Dsp, OverloadLowersTheGainByItsStepAndComputesAgain) {
    auto block = with_peak(30001); // 30001 at unity
    run(block);
    // Second attempt at 248: 30001 × 248 / 256 rounds to 29063, which is too
    // loud for the target, so the decision lowers the gain once more.
    EXPECT_EQ(block[5], 29063);
    EXPECT_EQ(block[0], 97);
    EXPECT_EQ(st->gain, 247);
    EXPECT_EQ(st->gainmin, 247);
    EXPECT_EQ(st->hits, 1u);
}

TEST_F(Dsp, DecisionAtTheTarget) {
    auto quiet_enough = with_peak(24576);
    run(quiet_enough);
    EXPECT_EQ(st->gain, 257);
    EXPECT_EQ(st->predtable[0], 8);
    EXPECT_EQ(st->history, 0x800u);
    EXPECT_EQ(st->raiserun, 1);
    EXPECT_EQ(st->gainmax, 257);

    SetUp();
    st->history = 0;
    st->hits = 0;
    auto too_loud = with_peak(24577);
    run(too_loud);
    EXPECT_EQ(st->gain, 255);
    EXPECT_EQ(st->predtable[0], 6);
    EXPECT_EQ(st->history, 0u);
    EXPECT_EQ(st->raiserun, 0);
    EXPECT_EQ(st->hits, 1u);
}

TEST_F(Dsp, CountersMustAgreeBeforeTheGainMoves) {
    st->predtable[0] = 0;
    auto quiet = with_peak(1000);
    run(quiet); // counter 0 -> 1: no raise
    EXPECT_EQ(st->gain, 256);
    EXPECT_EQ(st->misses, 1u);
    EXPECT_EQ(st->history, 0x800u);
    st->predtable[0x800] = 15;
    auto loud = with_peak(25000);
    run(loud); // counter 15 -> 14 > 7: no drop
    EXPECT_EQ(st->gain, 256);
    EXPECT_EQ(st->misses, 2u);
    EXPECT_EQ(st->predtable[0x800], 14);
}

TEST_F(Dsp, TargetsByLevelAndFormat) {
    struct Case {
        int32_t level, bps;
        int16_t peak;
        int32_t gain_after;
    } cases[] = {
        {100, 16, 29999, 257}, // target 32768 is above the overload limit
        {0, 16, 11, 255},      // every decided block is too loud
        {0, 16, 10, 256},      // but not one at the silence gate
        {75, 8, 96, 257},      // 8-bit target (75 << 7) / 100 = 96
        {75, 8, 97, 255},
        {75, 8, 111, 247}, // 8-bit overload limit 110: 111 -> 108 at 248, then too loud
    };
    for (const Case& c : cases) {
        SetUp();
        set.level = c.level;
        auto block = with_peak(c.peak, 8, 1);
        run(block, 2, c.bps);
        EXPECT_EQ(st->gain, c.gain_after) << c.level << " " << c.bps << " " << c.peak;
    }
}

TEST_F(Dsp, LongRaiseRunStepsByStepping) {
    for (auto& c : st->predtable) c = 15;
    st->raiserun = 126;
    auto block = with_peak(1000);
    run(block);
    EXPECT_EQ(st->gain, 257); // the 127th raise
    run(block = with_peak(1000));
    EXPECT_EQ(st->gain, 257 + 8); // the 128th adds stepping
    EXPECT_EQ(st->raiserun, 128);
    set.boost = 0;
    run(block = with_peak(1000));
    EXPECT_EQ(st->gain, 256); // capped at unity without boost
}

TEST_F(Dsp, SilenceAndEmptyBlocksOnlyRecordTheFormat) {
    std::vector<int16_t> silence(1152, 0);
    st->history = 5;
    run(silence, 2, 16, 48000);
    EXPECT_EQ(st->history, 5u);
    EXPECT_EQ(st->hits + st->misses, 0u);
    EXPECT_EQ(st->lastrate, 48000);
    EXPECT_EQ(st->lastframes, 576);
    EXPECT_EQ(processSamples(*st, set, nullptr, 0, 16, 1, 22050), 0);
    EXPECT_EQ(st->lastframes, 0);
    EXPECT_EQ(st->lastchannels, 1);
}

TEST_F(Dsp, UnsupportedAndBadBlocksPassUntouched) {
    auto block = with_peak(20000, 12);
    const auto original = block;
    run(block, 2, 16, 44100);
    auto before = block;
    for (auto [bps, nch, srate] :
         {std::tuple{24, 2, 44100}, {16, 6, 44100}, {16, 0, 44100}, {16, 2, 0}}) {
        auto b = original;
        EXPECT_EQ(processSamples(*st, set, b.data(), 6, bps, nch, srate), 6);
        EXPECT_EQ(b, original);
    }
    EXPECT_EQ(st->lastchannels, 2);
    EXPECT_EQ(processSamples(*st, set, nullptr, 100, 16, 2, 44100), 100);
    EXPECT_EQ(processSamples(*st, set, block.data(), -5, 16, 2, 44100), -5);
    st->suspended = 1;
    int32_t gain = st->gain;
    auto b = original;
    run(b);
    EXPECT_EQ(b, original);
    EXPECT_EQ(st->gain, gain);
    (void)before;
}

TEST_F(Dsp, LongBlocksAreProcessedInParts) {
    std::vector<int16_t> block(2 * 5000, 20000); // 10000 values
    EXPECT_EQ(run(block), 5000);
    EXPECT_EQ(st->lastframes, 5000 - 4096);
    EXPECT_EQ(st->hits, 2u); // two decisions
}

TEST(GainKernels, MmxIsNeverMoreThanOneBelowInteger) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        int32_t stepping = 5 + static_cast<int32_t>(rng() % 6);
        int32_t gain = 1 + static_cast<int32_t>(rng() % 65535);
        std::vector<int16_t> in(64), a(64), m(64);
        for (auto& x : in) x = static_cast<int16_t>(rng());
        // Only values that stay in 16 bits are ever stored.
        for (auto& x : in)
            while (std::abs(scaled_integer(x, gain, stepping)) > 30000)
                x = static_cast<int16_t>(x / 2);
        scale_integer(in.data(), a.data(), 64, gain, stepping);
        scale_mmx(in.data(), m.data(), 64, gain, stepping);
        for (int i = 0; i < 64; ++i) {
            EXPECT_EQ(m[i], scaled_mmx(in[i], gain, stepping));
            EXPECT_TRUE(a[i] - m[i] == 0 || a[i] - m[i] == 1) << in[i] << " " << gain;
        }
    }
}

TEST(GainKernels, ThreeDNowGivesTheScalarProducts) {
    if (!cpuFeature(Feature::amd3dnow)) {
        // Under an emulated processor that has it, not having it is a fault.
        if (std::getenv("LEVO_REQUIRE_3DNOW")) FAIL() << "the probe finds no 3DNow!";
        GTEST_SKIP() << "no 3DNow! on this processor";
    }
    std::mt19937 rng(3);
    for (int32_t n : {4, 8, 12, 1152}) {
        std::vector<float> in(n), a(n), b(n);
        for (auto& x : in) x = static_cast<float>(static_cast<int16_t>(rng()));
        float g = static_cast<float>(rng() % 70000) / 256.0f;
        scale_float(in.data(), a.data(), n, g);
        scale_3dnow(in.data(), b.data(), n, g);
        EXPECT_EQ(a, b) << n;
    }
}

TEST_F(Dsp, VectorPathsAreChosenPerBlock) {
    st->hasmmx = 1;
    st->has3dnow = 1;
    auto eight = with_peak(1000, 8);
    run(eight);
    EXPECT_EQ(st->mathmode, 1);
    auto six = with_peak(1000, 6);
    run(six);
    EXPECT_EQ(st->mathmode, 0);
    set.hq = 1;
    st->has3dnow = cpuFeature(Feature::amd3dnow);
    st->gain = 512;
    auto twelve = with_peak(1000, 12);
    run(twelve);
    EXPECT_EQ(st->mathmode, st->has3dnow ? 3 : 2);
    EXPECT_EQ(twelve, with_peak(2000, 12, 200)); // every value scaled, the last four too
}

TEST_F(Dsp, FloatChainRoundsItsOutput) {
    set.hq = 1;
    st->gain = 384; // 1.5
    std::vector<int16_t> block = {1, -1, 3, -3, 100, 0};
    run(block);
    EXPECT_EQ(block, (std::vector<int16_t>{2, -1, 5, -4, 150, 0})); // floor(x·1.5 + 0.5)
    EXPECT_EQ(st->mathmode, 2);
}
