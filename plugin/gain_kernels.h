// The arithmetic of the gain stage: one block of values multiplied by a
// fixed-point gain. Formats: samples are Q15.0 in int16_t; `gain` is an
// unsigned fixed-point multiplier with `stepping` fraction bits (Q(31-s).s
// in an int32_t, at least 1); products are formed exactly in 64 bits.
#pragma once

#include <cstdint>

namespace levo {

// Integer path: out = (x × gain + 2^(s−1)) >> s, rounding halves upward.
void scale_integer(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping);
// MMX path (n a multiple of 8, gain ≤ 65535, processor with MMX):
// out = (x × gain) >> s, truncated toward minus infinity; eight values a pass.
void scale_mmx(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping);
// The value one scaled input gives on each path (the same formulas).
inline int64_t scaled_integer(int32_t x, int32_t gain, int32_t stepping) {
    return (static_cast<int64_t>(x) * gain + (int64_t{1} << (stepping - 1))) >> stepping;
}
inline int64_t scaled_mmx(int32_t x, int32_t gain, int32_t stepping) {
    return (static_cast<int64_t>(x) * gain) >> stepping;
}

// Floating Point path: out = in × g in single precision.
void scale_float(const float* in, float* out, int32_t n, float g);
// 3DNow! path (n a multiple of 4, processor with 3DNow!): the same products,
// two per instruction, eight values a pass plus a final group of four.
void scale_3dnow(const float* in, float* out, int32_t n, float g);

} // namespace levo
