// The " -B " piece of the bitrate passes, from `value` or from a target size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace commands {

// " -B " + `value` as typed with `sizemode` off. With `sizemode` on, the
// bitrate that makes the input fill `value` megabytes (audio included when
// `aud` is on); empty when the input cannot be probed or has no length.
std::string size_bitrate_fragment(const settings::Settings& s, platform::MediaProbe& probe);

// With `sizemode` on, why no bitrate can be computed for the input: "it
// cannot be measured", "its length cannot be measured" or "it is shorter
// than half a second"; nothing when one can, or with `sizemode` off.
std::optional<std::string> target_size_problem(const settings::Settings& s,
                                               platform::MediaProbe& probe);

// The bitrate in kbit/s for a target size in MB, an input of frame_count
// frames at frame_rate frames per second, and an audio bitrate in kbit/s
// (0 without audio). Nothing when the input's seconds come out as 0.
std::optional<int64_t> size_bitrate(float target_mb, int64_t frame_count, int64_t frame_rate,
                                    int audio_kbps);

} // namespace commands
