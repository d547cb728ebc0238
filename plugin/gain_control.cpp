#include "plugin/gain_control.h"

#include <algorithm>
#include <cmath>

#include "plugin/gain_kernels.h"

namespace levo {

namespace {

constexpr int max_attempts = 1024;

enum Mathmode { integer_mode = 0, mmx_mode = 1, float_mode = 2, amd3dnow_mode = 3 };

int32_t lowered(int32_t gain, int32_t stepping) {
    return gain > stepping ? gain - stepping : 1;
}

template <typename T> void extremes(const T* v, int32_t n, T& lo, T& hi) {
    lo = hi = 0;
    if (n == 0) return;
    lo = hi = v[0];
    for (int32_t i = 1; i < n; ++i) {
        lo = std::min(lo, v[i]);
        hi = std::max(hi, v[i]);
    }
}

// The scaled values are monotonic in the input, so the block's peak at any
// gain is the larger magnitude of its two extremes scaled.
template <typename Scale> double peak_of(Scale scale, double lo, double hi, int32_t n) {
    if (n == 0) return 0;
    return std::max(std::fabs(scale(lo)), std::fabs(scale(hi)));
}

} // namespace

Attempts gain_stage_int(const int16_t* in, int16_t* out, int32_t n, int32_t gain, int32_t stepping,
                        int32_t overload, bool mmx) {
    int16_t lo, hi;
    extremes(in, n, lo, hi);
    const bool vector_ok = mmx && n % 8 == 0;
    for (int attempt = 1;; ++attempt) {
        const bool use_mmx = vector_ok && gain <= 65535;
        auto scale = [&](double x) {
            int32_t v = static_cast<int32_t>(x);
            return static_cast<double>(use_mmx ? scaled_mmx(v, gain, stepping)
                                               : scaled_integer(v, gain, stepping));
        };
        double peak = peak_of(scale, lo, hi, n);
        int32_t mode = use_mmx ? mmx_mode : integer_mode;
        if (peak <= overload) {
            if (use_mmx)
                scale_mmx(in, out, n, gain, stepping);
            else
                scale_integer(in, out, n, gain, stepping);
            return {true, gain, mode, peak};
        }
        gain = lowered(gain, stepping);
        if (attempt == max_attempts) return {false, gain, mode, peak};
    }
}

Attempts gain_stage_float(const float* in, float* out, int32_t n, int32_t gain, int32_t stepping,
                          int32_t overload, bool amd3dnow) {
    float lo, hi;
    extremes(in, n, lo, hi);
    const bool use_3dnow = amd3dnow && n % 4 == 0;
    const int32_t mode = use_3dnow ? amd3dnow_mode : float_mode;
    const float unity = static_cast<float>(int64_t{1} << stepping);
    for (int attempt = 1;; ++attempt) {
        const float g = static_cast<float>(gain) / unity;
        auto scale = [&](double x) { return static_cast<double>(static_cast<float>(x) * g); };
        double peak = peak_of(scale, lo, hi, n);
        if (peak <= static_cast<float>(overload)) {
            if (use_3dnow)
                scale_3dnow(in, out, n, g);
            else
                scale_float(in, out, n, g);
            return {true, gain, mode, peak};
        }
        gain = lowered(gain, stepping);
        if (attempt == max_attempts) return {false, gain, mode, peak};
    }
}

void decide(PluginState& st, double peak, int32_t& gain, const BlockSettings& s, const Block& b,
            bool float_target) {
    if (!(peak > 10)) return; // the silence gate
    const int64_t scaled_level = static_cast<int64_t>(s.level) << limits_for(b.bps).shift;
    const double target = float_target
                              ? static_cast<double>(static_cast<float>(scaled_level) * 0.01f)
                              : static_cast<double>(scaled_level / 100);
    const uint32_t history = st.history.load(std::memory_order_relaxed) & 0xFFF;
    std::atomic<uint8_t>& counter = st.predtable[history];
    int c = counter.load(std::memory_order_relaxed);
    bool moved = false;
    if (peak > target) {
        c = std::max(c - 1, 0);
        st.history.store(history >> 1, std::memory_order_relaxed);
        put(st.raiserun, 0);
        if (c <= 7 && gain > 1) {
            gain -= 1;
            moved = true;
        }
    } else {
        c = std::min(c + 1, 15);
        st.history.store((history | 0x1000) >> 1, std::memory_order_relaxed);
        if (c >= 8) {
            int32_t run = get(st.raiserun) + 1;
            put(st.raiserun, run);
            gain += run < 128 ? 1 : s.stepping;
            moved = true;
        }
    }
    counter.store(static_cast<uint8_t>(c), std::memory_order_relaxed);
    (moved ? st.hits : st.misses).fetch_add(1, std::memory_order_relaxed);
}

namespace {

// 8-bit values are held as -128..127; 16-bit ones fill their type.
void keep_in_range(int16_t* samples, const Block& b) {
    if (b.bps != 8) return;
    for (int32_t k = 0; k < b.values(); ++k)
        samples[k] = static_cast<int16_t>(std::clamp<int32_t>(samples[k], -128, 127));
}

void process_effects_and_gain(PluginState& st, const BlockSettings& s, int16_t* samples,
                              const Block& b);

// One block of at most max_values values, in the host's format; whatever
// the stages did, no value leaves the format's range.
void process_block(PluginState& st, const BlockSettings& s, int16_t* samples, const Block& b) {
    process_effects_and_gain(st, s, samples, b);
    keep_in_range(samples, b);
}

void process_effects_and_gain(PluginState& st, const BlockSettings& s, int16_t* samples,
                              const Block& b) {
    const Limits lim = limits_for(b.bps);
    const int32_t n = b.values();
    int32_t gain = std::max(get(st.gain), 1);

    invert_left(samples, b, s);
    Attempts a;
    if (!s.hq) {
        if (s.vpb) bandpass_int(st, samples, b);
        if (s.echo && b.nch == 2) echo_int(st, samples, b, s);
        a = gain_stage_int(samples, samples, n, gain, s.stepping, lim.overload,
                           get(st.hasmmx) != 0);
    } else {
        std::copy(samples, samples + n, st.floatin);
        if (s.vpb) bandpass_float(st, st.floatin, b);
        if (s.echo && b.nch == 2) echo_float(st, st.floatin, b, s);
        a = gain_stage_float(st.floatin, st.floatout, n, gain, s.stepping, lim.overload,
                             get(st.has3dnow) != 0);
    }
    gain = a.gain;
    put(st.mathmode, a.mathmode);
    if (!a.accepted) { // given up: the lowered gain stays for the next block
        put(st.gain, gain);
        return;
    }
    decide(st, a.peak, gain, s, b, s.hq != 0);
    if (s.hq)
        for (int32_t k = 0; k < n; ++k)
            samples[k] =
                static_cast<int16_t>(std::floor(static_cast<double>(st.floatout[k]) + 0.5));

    // End steps.
    const int32_t unity = 1 << s.stepping;
    if (!s.boost && gain >= unity) gain = unity;
    put(st.gain, gain);
    if (gain > get(st.gainmax)) put(st.gainmax, gain);
    if (gain < get(st.gainmin)) put(st.gainmin, gain);
    put(st.lastbits, b.bps);
    put(st.lastchannels, b.nch);
    put(st.lastframes, b.frames);
    put(st.lastrate, b.srate);
}

} // namespace

int32_t processSamples(PluginState& st, const PluginSettings& settings, int16_t* samples,
                       int32_t numsamples, int32_t bps, int32_t nch, int32_t srate) {
    if (get(st.suspended)) return numsamples;
    std::lock_guard<std::mutex> hold(st.block_lock);
    if (get(st.gain) < 1) put(st.gain, 1);
    // Formats the chain cannot handle pass untouched; so does a block the
    // host did not really hand over.
    if ((bps != 8 && bps != 16) || (nch != 1 && nch != 2) || srate <= 0 || numsamples < 0 ||
        (numsamples > 0 && !samples))
        return numsamples;
    const BlockSettings s = snapshot(settings);
    const int32_t part = max_values / nch;
    int32_t done = 0;
    do {
        int32_t frames = std::min(part, numsamples - done);
        process_block(st, s, samples + static_cast<int64_t>(done) * nch, {frames, bps, nch, srate});
        done += frames;
    } while (done < numsamples);
    return numsamples;
}

} // namespace levo
