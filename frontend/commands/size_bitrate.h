// The " -B " piece of the bitrate passes, from `value` or from a target size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace commands {

// The bitrate for the target size in `value`, measured once for a job
// before its lines are made: nothing to measure with `sizemode` off; with it
// on, the kilobits per second, or why there are none ("it cannot be
// measured", "its length cannot be measured", "it is shorter than half a
// second").
struct TargetRate {
    std::optional<int64_t> kbps;
    std::optional<std::string> problem;
};
TargetRate target_rate(const settings::Settings& s, platform::MediaProbe& probe);

// The " -B " piece of a pass that reads `value`: " -B " + the text as typed
// with `sizemode` off; with it on, " -B " + the measured bitrate, or empty
// when there is none.
std::string bitrate_fragment(const settings::Settings& s, const std::string& value,
                             const TargetRate& rate);

// The bitrate in kbit/s for a target size in MB, an input of frame_count
// frames at frame_rate frames per second, and an audio bitrate in kbit/s
// (0 without audio). Nothing when the input's seconds come out as 0.
std::optional<int64_t> size_bitrate(float target_mb, int64_t frame_count, int64_t frame_rate,
                                    int audio_kbps);

} // namespace commands
