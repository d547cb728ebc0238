#include "plugin/gain_kernels.h"

namespace levo {

void scale_integer(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping) {
    for (int32_t i = 0; i < n; ++i)
        out[i] = static_cast<int16_t>(scaled_integer(in[i], gain, stepping));
}

void scale_float(const float* in, float* out, int32_t n, float g) {
    for (int32_t i = 0; i < n; ++i) out[i] = in[i] * g;
}

#if defined(__i386__) || defined(__x86_64__)

// The 32-bit products come from pmullw (low words) and pmulhw (high words,
// signed); a gain of 32768 or more reads as negative to pmulhw, which is
// mended by adding x to the high words. punpck*wd joins low and high words,
// psrad shifts, packssdw narrows (accepted values never saturate).
__attribute__((target("mmx"))) void scale_mmx(const int16_t* in, int16_t* out, int32_t n,
                                              int32_t gain, int32_t stepping) {
    const uint16_t g = static_cast<uint16_t>(gain);
    const uint64_t gains = 0x0001000100010001ull * g;
    const uint64_t high_gain = gain >= 32768 ? ~0ull : 0ull;
    const uint64_t shift = static_cast<uint64_t>(stepping);
    for (int32_t i = 0; i < n; i += 4) {
        __asm__ volatile("movq   (%[src]), %%mm0\n\t"
                         "movq   %%mm0, %%mm1\n\t"
                         "movq   %%mm0, %%mm2\n\t"
                         "pmullw %[gains], %%mm0\n\t"
                         "pmulhw %[gains], %%mm1\n\t"
                         "pand   %[high], %%mm2\n\t"
                         "paddw  %%mm2, %%mm1\n\t"
                         "movq   %%mm0, %%mm3\n\t"
                         "punpcklwd %%mm1, %%mm0\n\t"
                         "punpckhwd %%mm1, %%mm3\n\t"
                         "psrad  %[shift], %%mm0\n\t"
                         "psrad  %[shift], %%mm3\n\t"
                         "packssdw %%mm3, %%mm0\n\t"
                         "movq   %%mm0, (%[dst])\n\t"
                         :
                         : [src] "r"(in + i), [dst] "r"(out + i), [gains] "m"(gains),
                           [high] "m"(high_gain), [shift] "m"(shift)
                         : "mm0", "mm1", "mm2", "mm3", "memory");
    }
    __asm__ volatile("emms");
}

// pfmul multiplies two single-precision values at once.
__attribute__((target("3dnow"))) void scale_3dnow(const float* in, float* out, int32_t n, float g) {
    const float gains[2] = {g, g};
    int32_t i = 0;
    for (; i + 8 <= n; i += 8) {
        __asm__ volatile("movq  (%[g]), %%mm4\n\t"
                         "movq   0(%[src]), %%mm0\n\t"
                         "movq   8(%[src]), %%mm1\n\t"
                         "movq  16(%[src]), %%mm2\n\t"
                         "movq  24(%[src]), %%mm3\n\t"
                         "pfmul %%mm4, %%mm0\n\t"
                         "pfmul %%mm4, %%mm1\n\t"
                         "pfmul %%mm4, %%mm2\n\t"
                         "pfmul %%mm4, %%mm3\n\t"
                         "movq  %%mm0,  0(%[dst])\n\t"
                         "movq  %%mm1,  8(%[dst])\n\t"
                         "movq  %%mm2, 16(%[dst])\n\t"
                         "movq  %%mm3, 24(%[dst])\n\t"
                         :
                         : [src] "r"(in + i), [dst] "r"(out + i), [g] "r"(gains)
                         : "mm0", "mm1", "mm2", "mm3", "mm4", "memory");
    }
    if (i < n) { // a final group of four
        __asm__ volatile("movq  (%[g]), %%mm4\n\t"
                         "movq  0(%[src]), %%mm0\n\t"
                         "movq  8(%[src]), %%mm1\n\t"
                         "pfmul %%mm4, %%mm0\n\t"
                         "pfmul %%mm4, %%mm1\n\t"
                         "movq  %%mm0, 0(%[dst])\n\t"
                         "movq  %%mm1, 8(%[dst])\n\t"
                         :
                         : [src] "r"(in + i), [dst] "r"(out + i), [g] "r"(gains)
                         : "mm0", "mm1", "mm4", "memory");
    }
    __asm__ volatile("femms");
}

#else

void scale_mmx(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping) {
    for (int32_t i = 0; i < n; ++i)
        out[i] = static_cast<int16_t>(scaled_mmx(in[i], gain, stepping));
}
void scale_3dnow(const float* in, float* out, int32_t n, float g) {
    scale_float(in, out, n, g);
}

#endif

} // namespace levo
