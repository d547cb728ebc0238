#include "plugin/plugin_settings.h"

#include <cstdint>

namespace levo {

using S = PluginSettings;

namespace {

constexpr int32_t any_low = INT32_MIN, any_high = INT32_MAX;

} // namespace

// The window position is checked against the desktop instead; sliders hold
// their ranges (the smoothness slider 5 to 10, the echo lag 5 to 500 ms, the
// others 0 to 100); check boxes 0 or 1.
const SettingKey setting_keys[15] = {
    {"wndx", 50, &S::wndx, any_low, any_high},
    {"wndy", 50, &S::wndy, any_low, any_high},
    {"level", 75, &S::level, 0, 100},
    {"stepping", 8, &S::stepping, 5, 10},
    {"echo", 0, &S::echo, 0, 1},
    {"esep", 50, &S::esep, 0, 100},
    {"evol", 75, &S::evol, 0, 100},
    {"edelay", 20, &S::edelay, 5, 500},
    {"emon", 0, &S::emon, 0, 1},
    {"elevel", 25, &S::elevel, 0, 100},
    {"hq", 0, &S::hq, 0, 1},
    {"nle", 0, &S::nle, 0, 1},
    {"vpb", 0, &S::vpb, 0, 1},
    {"boost", 1, &S::boost, 0, 1},
    {"invert", 0, &S::invert, 0, 1},
};

} // namespace levo
