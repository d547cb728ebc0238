#include "plugin/effects.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace levo {

namespace {

int32_t clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// Makes sure the filter exists for this rate, created by the running chain;
// false when it cannot be made (the stage is skipped for this block).
bool prepare_passband(PluginState& st, const Block& b, double centre) {
    if (b.srate != get(st.lastrate)) release_passband(st);
    if (!st.passband) {
        st.passband = new (std::nothrow) Biquad(designBiquad(centre, b.srate, 0.5));
    }
    return st.passband != nullptr;
}

// The filter's output limited to the 16-bit range (a degenerate design that
// yields no number gives silence).
float clamped(float y) {
    if (!(y == y)) return 0;
    return std::min(32767.0f, std::max(-32767.0f, y));
}

int32_t shift_for(int32_t bps) {
    return bps == 16 ? 15 : 7;
}

// Echo lag in values: edelay ms of interleaved stereo.
int64_t echo_lag(const BlockSettings& s, const Block& b) {
    return static_cast<int64_t>(s.edelay) * b.srate * 2 / 1000;
}

// The echo line starts anew when asked, and on any change of the stream's
// format: rate, bits or channels (a 16-bit echo mixed into 8-bit values
// would be far out of their range).
template <typename T>
void restart_if_needed(PluginState& st, T* line, const Block& b, const BlockSettings& s) {
    if ((st.echoread == 0 && st.echowrite == 0) || get(st.echorestart) ||
        b.srate != get(st.lastrate) || b.bps != get(st.lastbits) || b.nch != get(st.lastchannels)) {
        st.echowrite = 0;
        std::fill(line, line + echo_length, T{});
        st.echoread = static_cast<uint16_t>(1 - echo_lag(s, b));
        put(st.echorestart, 0);
    }
}

template <typename T> void feed(PluginState& st, T* line, const T* values, int32_t n) {
    for (int32_t i = 0; i < n; ++i) line[st.echowrite++] = values[i];
}

// The monitor proposes a new echo volume from the block's echo peak.
void monitor(PluginState& st, double peak, const Block& b, const BlockSettings& s) {
    if (!s.emon || !(peak > 16)) return;
    int64_t target = (static_cast<int64_t>(s.elevel) << shift_for(b.bps)) / 100;
    if (peak > target && s.evol > 0) put(st.evolauto, s.evol - 1);
    if (peak < target && s.evol < 100) put(st.evolauto, s.evol + 1);
}

} // namespace

BlockSettings snapshot(const PluginSettings& s) {
    return {get(s.level),
            clamp(get(s.stepping), 1, 15),
            get(s.echo),
            clamp(get(s.esep), 0, 100),
            clamp(get(s.evol), 0, 100),
            get(s.edelay),
            get(s.emon),
            get(s.elevel),
            get(s.hq),
            get(s.nle),
            get(s.vpb),
            get(s.boost),
            get(s.invert)};
}

Biquad designBiquad(double f, double r, double bw) {
    const double pi = 3.14159265358979323846;
    double w = 2 * pi * f / r, sn = std::sin(w), cs = std::cos(w);
    double alpha = sn * std::sinh(std::log(2.0) / 2 * bw * w / sn);
    double a0 = 1 + alpha;
    return {static_cast<float>(alpha / a0),
            0.0f,
            static_cast<float>(-alpha / a0),
            static_cast<float>(-2 * cs / a0),
            static_cast<float>((1 - alpha) / a0),
            0,
            0,
            0,
            0};
}

void release_passband(PluginState& st) {
    delete st.passband;
    st.passband = nullptr;
}

void invert_left(int16_t* samples, const Block& b, const BlockSettings& s) {
    if (b.nch != 2 || s.invert != 1 || s.vpb != 0) return;
    for (int32_t i = 0; i < b.values(); i += 2) samples[i] = static_cast<int16_t>(~samples[i]);
}

void bandpass_int(PluginState& st, int16_t* samples, const Block& b) {
    if (!prepare_passband(st, b, passband_hz_integer)) return;
    if (b.nch == 2)
        for (int32_t k = 0; k < b.frames; ++k)
            samples[k] = static_cast<int16_t>((samples[2 * k] + samples[2 * k + 1]) / 2);
    Biquad& f = *st.passband;
    for (int32_t k = 0; k < b.frames; ++k)
        samples[k] = static_cast<int16_t>(clamped(filter_step(f, samples[k])));
    if (b.nch == 2) {
        std::copy(samples, samples + b.frames, st.work16);
        for (int32_t k = 0; k < b.frames; ++k) samples[2 * k] = samples[2 * k + 1] = st.work16[k];
    }
}

void bandpass_float(PluginState& st, float* v, const Block& b) {
    if (!prepare_passband(st, b, passband_hz_float)) return;
    if (b.nch == 2)
        for (int32_t k = 0; k < b.frames; ++k) v[k] = (v[2 * k] + v[2 * k + 1]) * 0.5f;
    Biquad& f = *st.passband;
    for (int32_t k = 0; k < b.frames; ++k) v[k] = clamped(filter_step(f, v[k]));
    if (b.nch == 2)
        for (int32_t k = b.frames - 1; k >= 0; --k) v[2 * k] = v[2 * k + 1] = v[k];
}

void echo_int(PluginState& st, int16_t* samples, const Block& b, const BlockSettings& s) {
    int16_t* line = st.echoline16;
    restart_if_needed(st, line, b, s);
    if (!s.nle) feed(st, line, samples, b.values());
    const int32_t wa = ((100 - s.esep) * 256) / 100, wb = (s.esep * 256) / 100,
                  wv = (s.evol * 256) / 100;
    int32_t peak = 0;
    for (int32_t i = 0; i < b.values(); i += 2) {
        for (int k = 0; k < 2; ++k) {
            int32_t tap_a = line[static_cast<uint16_t>(st.echoread + k)];
            int32_t tap_b = line[static_cast<uint16_t>(st.echoread + (k ^ 1))];
            int32_t wet = ((((tap_b * wb + 128) >> 8) + ((tap_a * wa + 128) >> 8)) * wv + 128) >> 8;
            samples[i + k] = static_cast<int16_t>((samples[i + k] + wet + 1) >> 1);
            peak = std::max(peak, std::abs(wet));
        }
        st.echoread += 2;
    }
    if (s.nle) feed(st, line, samples, b.values());
    monitor(st, peak, b, s);
}

void echo_float(PluginState& st, float* v, const Block& b, const BlockSettings& s) {
    float* line = st.echolinef;
    restart_if_needed(st, line, b, s);
    if (!s.nle) feed(st, line, v, b.values());
    const float esep = static_cast<float>(s.esep), evol = static_cast<float>(s.evol);
    float peak = 0;
    for (int32_t i = 0; i < b.values(); i += 2) {
        for (int k = 0; k < 2; ++k) {
            float tap_a = line[static_cast<uint16_t>(st.echoread + k)];
            float tap_b = line[static_cast<uint16_t>(st.echoread + (k ^ 1))];
            float wet = s.esep == 0 ? evol * tap_a * 0.01f
                                    : (esep * tap_b + (100 - esep) * tap_a) * evol * 0.0001f;
            v[i + k] = (wet + v[i + k]) * 0.5f;
            peak = std::max(peak, std::fabs(wet));
        }
        st.echoread += 2;
    }
    if (s.nle) feed(st, line, v, b.values());
    monitor(st, peak, b, s);
}

} // namespace levo
