// The plug-in's persisted settings. The dialog changes them on its own
// thread while blocks are processed, so each is an atomic 32-bit word read
// and written without ordering (relaxed).
#pragma once

#include <atomic>
#include <cstdint>

namespace levo {

struct PluginSettings {
    std::atomic<int32_t> wndx{50}, wndy{50}, level{75}, stepping{8}, echo{0}, esep{50}, evol{75},
        edelay{20}, emon{0}, elevel{25}, hq{0}, nle{0}, vpb{0}, boost{1}, invert{0};
};

struct SettingKey {
    const char* key;
    int32_t default_value;
    std::atomic<int32_t> PluginSettings::*field;
    int32_t low, high; // what the setting's dialog control can hold
};

// A value read from the profile, clamped into the range of its control.
inline int32_t clamp_setting(const SettingKey& k, int32_t value) {
    return value < k.low ? k.low : value > k.high ? k.high : value;
}

// All fifteen, in the order they are written to the profile (and read,
// after the window position).
extern const SettingKey setting_keys[15];

inline int32_t get(const std::atomic<int32_t>& v) {
    return v.load(std::memory_order_relaxed);
}
inline void put(std::atomic<int32_t>& v, int32_t x) {
    v.store(x, std::memory_order_relaxed);
}

} // namespace levo
