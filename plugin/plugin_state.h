// The plug-in's process-wide runtime state. Words the dialog reads or writes
// while blocks run are relaxed atomics; the buffers belong to processing,
// and anything else that touches them (clearing the echo line, releasing the
// band-pass filter) takes `block_lock` so it never overlaps a block.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "plugin/biquad.h"

namespace levo {

constexpr int max_values = 8192;   // values per block the work buffers hold
constexpr int echo_length = 65536; // values per echo line

struct PluginState {
    std::atomic<int32_t> gain{0}, gainmax{0}, gainmin{0};
    std::atomic<uint32_t> history{0};
    std::atomic<uint8_t> predtable[4096] = {};
    std::atomic<int32_t> raiserun{0};
    std::atomic<uint32_t> hits{0}, misses{0};
    std::atomic<int32_t> suspended{0}, mathmode{0}, hasmmx{0}, has3dnow{0};
    std::atomic<int32_t> lastrate{0}, lastbits{0}, lastchannels{0}, lastframes{0};
    std::atomic<int32_t> echorestart{0}, evolauto{0};
    std::atomic<int32_t> stereoui{0};
    std::atomic<void*> dialog{nullptr};

    // Owned by processing (and by whoever holds block_lock).
    int16_t work16[max_values] = {};
    float floatin[max_values] = {};
    float floatout[max_values] = {};
    int16_t echoline16[echo_length] = {};
    float echolinef[echo_length] = {};
    uint16_t echoread = 0, echowrite = 0;
    Biquad* passband = nullptr;

    std::mutex block_lock;
};

} // namespace levo
