// The stages before the gain control: inversion of the left channel, the
// voice band-pass and the stereo echo with its monitor, each for the integer
// chain (the host block) and the floating-point chain (`floatin`).
#pragma once

#include <cstdint>

#include "plugin/plugin_settings.h"
#include "plugin/plugin_state.h"

namespace levo {

// The settings one block works with, read once at its start. Values that a
// hand-edited profile could push outside what the arithmetic allows are
// brought into range (stepping 1..15, esep and evol 0..100).
struct BlockSettings {
    int32_t level, stepping, echo, esep, evol, edelay, emon, elevel, hq, nle, vpb, boost, invert;
};
BlockSettings snapshot(const PluginSettings& s);

// The format of the block being processed.
struct Block {
    int32_t frames, bps, nch, srate;
    int32_t values() const { return frames * nch; }
};

// Replaces every left value by its bitwise complement (stereo, invert on, no band-pass).
void invert_left(int16_t* samples, const Block& b, const BlockSettings& s);

// Centre frequencies of the band-pass, by the chain that creates it.
constexpr double passband_hz_integer = 1000, passband_hz_float = 500;

void bandpass_int(PluginState& st, int16_t* samples, const Block& b);
void bandpass_float(PluginState& st, float* values, const Block& b);

void echo_int(PluginState& st, int16_t* samples, const Block& b, const BlockSettings& s);
void echo_float(PluginState& st, float* values, const Block& b, const BlockSettings& s);

// Releases the band-pass filter (the dialog's "Voice PassBand" off). Must be
// called with block_lock held.
void release_passband(PluginState& st);

} // namespace levo
