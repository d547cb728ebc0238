// processSamples: the chain every block runs through, ending in the
// automatic gain control with its overload rule and predictor.
#pragma once

#include <cstdint>

#include "plugin/effects.h"
#include "plugin/plugin_settings.h"
#include "plugin/plugin_state.h"

namespace levo {

// Per bps: the peak above which the gain drops at once, the target shift.
struct Limits {
    int32_t overload, shift;
};
inline Limits limits_for(int32_t bps) {
    return bps == 16 ? Limits{30000, 15} : Limits{110, 7};
}

// The outcome of the gain stage's attempts: the gain and path of the last
// attempt, whether it stayed within the limit, and its peak.
struct Attempts {
    bool accepted;
    int32_t gain;
    int32_t mathmode;
    double peak;
};

// Integer chain: finds the first gain (lowering by `stepping` after every
// overload, at most 1024 attempts) whose scaled block stays within the limit,
// from the block's extreme values alone, and when accepted scales `in` into
// `out` with that attempt's path (MMX when allowed, else Integer).
Attempts gain_stage_int(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping,
                        int32_t overload, bool mmx);
// Floating-point chain: the same with g = gain / 2^stepping in single
// precision (3DNow! when allowed, else Floating Point).
Attempts gain_stage_float(const float* in, float* out, int32_t n, int32_t gain, int32_t stepping,
                          int32_t overload, bool amd3dnow);

// The predictor's decision for an accepted block with this peak, and the
// gain step it allows. `float_target` picks the floating-point target rule.
void decide(PluginState& st, double peak, int32_t& gain, const BlockSettings& s, const Block& b,
            bool float_target);

// The processing slot. Always returns numsamples. Blocks of more than 8192
// values are processed in consecutive parts that fit the work buffers.
int32_t processSamples(PluginState& st, const PluginSettings& settings, int16_t* samples,
                       int32_t numsamples, int32_t bps, int32_t nch, int32_t srate);

} // namespace levo
