// The gain stage finds its gain from the block's extremes; here it is checked
// bit for bit against the plain procedure that scales and scans the whole
// block on every attempt.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "plugin/gain_control.h"
#include "plugin/gain_kernels.h"

using namespace levo;

namespace {

Attempts reference_int(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping,
                       int32_t overload, bool mmx) {
    std::vector<int64_t> v(n);
    for (int attempt = 1;; ++attempt) {
        bool use_mmx = mmx && n % 8 == 0 && gain <= 65535;
        int64_t peak = 0;
        for (int32_t k = 0; k < n; ++k) {
            v[k] = use_mmx
                       ? (static_cast<int64_t>(in[k]) * gain) >> stepping
                       : (static_cast<int64_t>(in[k]) * gain + (int64_t{1} << (stepping - 1))) >>
                             stepping;
            peak = std::max<int64_t>(peak, v[k] < 0 ? -v[k] : v[k]);
        }
        if (peak <= overload) {
            for (int32_t k = 0; k < n; ++k) out[k] = static_cast<int16_t>(v[k]);
            return {true, gain, use_mmx ? 1 : 0, static_cast<double>(peak)};
        }
        gain = gain > stepping ? gain - stepping : 1;
        if (attempt == 1024) return {false, gain, use_mmx ? 1 : 0, static_cast<double>(peak)};
    }
}

Attempts reference_float(const float* in, float* out, int32_t n, int32_t gain, int32_t stepping,
                         int32_t overload, bool amd) {
    bool use_3dnow = amd && n % 4 == 0;
    for (int attempt = 1;; ++attempt) {
        float g = static_cast<float>(gain) / static_cast<float>(1 << stepping);
        float peak = 0;
        for (int32_t k = 0; k < n; ++k) {
            out[k] = in[k] * g;
            peak = std::max(peak, std::fabs(out[k]));
        }
        if (!(peak > static_cast<float>(overload))) return {true, gain, use_3dnow ? 3 : 2, peak};
        gain = gain > stepping ? gain - stepping : 1;
        if (attempt == 1024) return {false, gain, use_3dnow ? 3 : 2, peak};
    }
}

void expect_same(const Attempts& a, const Attempts& b, const std::string& what) {
    EXPECT_EQ(a.accepted, b.accepted) << what;
    EXPECT_EQ(a.gain, b.gain) << what;
    EXPECT_EQ(a.mathmode, b.mathmode) << what;
    if (a.accepted) {
        EXPECT_EQ(a.peak, b.peak) << what;
    }
}

} // namespace

TEST(GainStage, MatchesTheAttemptByAttemptProcedure) {
    std::mt19937 rng(2024);
    const int32_t sizes[] = {0, 1, 6, 8, 12, 576, 1152, 1150, 8192};
    const int32_t gains[] = {1, 2, 255, 256, 4000, 65535, 65536, 70000, 200000, 1 << 24};
    int cases = 0;
    for (int round = 0; round < 60; ++round) {
        for (int32_t n : sizes) {
            int32_t stepping = 1 + static_cast<int32_t>(rng() % 15);
            int32_t gain = gains[rng() % std::size(gains)] + static_cast<int32_t>(rng() % 7);
            int32_t bps = rng() % 2 ? 16 : 8;
            int32_t overload = limits_for(bps).overload;
            int32_t amplitude = 1 + static_cast<int32_t>(rng() % (bps == 16 ? 32768 : 128));
            std::vector<int16_t> in(n);
            for (auto& x : in)
                x = static_cast<int16_t>(static_cast<int32_t>(rng() % (2 * amplitude)) - amplitude);
            std::vector<float> fin(in.begin(), in.end());
            for (bool vector : {false, true}) {
                std::vector<int16_t> out(n), ref(n);
                Attempts a =
                    gain_stage_int(in.data(), out.data(), n, gain, stepping, overload, vector);
                Attempts r =
                    reference_int(in.data(), ref.data(), n, gain, stepping, overload, vector);
                std::string what = "int n=" + std::to_string(n) + " gain=" + std::to_string(gain) +
                                   " s=" + std::to_string(stepping) +
                                   " mmx=" + std::to_string(vector);
                expect_same(a, r, what);
                if (a.accepted) {
                    EXPECT_EQ(out, ref) << what;
                }

                std::vector<float> fout(n), fref(n);
                // The 3DNow! products equal the scalar ones; the reference
                // stands for both paths.
                bool amd = false;
                Attempts fa =
                    gain_stage_float(fin.data(), fout.data(), n, gain, stepping, overload, amd);
                Attempts fr =
                    reference_float(fin.data(), fref.data(), n, gain, stepping, overload, amd);
                expect_same(fa, fr, "float " + what);
                if (fa.accepted) {
                    EXPECT_EQ(fout, fref) << what;
                }
                ++cases;
            }
        }
    }
    EXPECT_GT(cases, 1000);
}

TEST(GainStage, GivesUpAfter1024Attempts) {
    std::vector<int16_t> in(16, 32767), out(16, 0);
    Attempts a = gain_stage_int(in.data(), out.data(), 16, 100000, 1, 30000, true);
    EXPECT_FALSE(a.accepted);
    EXPECT_EQ(a.gain, 100000 - 1024);
    EXPECT_EQ(a.mathmode, 0);                    // the gain stayed above 65535
    EXPECT_EQ(out, std::vector<int16_t>(16, 0)); // nothing written
}
