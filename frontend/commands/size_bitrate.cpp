#include "frontend/commands/size_bitrate.h"

#include <cmath>
#include <cstdlib>

#include "frontend/settings/text_number.h"

namespace commands {

namespace {

// frame_count ÷ frame_rate rounded to the nearest whole number, halves to even.
int64_t rounded_seconds(int64_t frames, int64_t rate) {
    int64_t q = frames / rate, r = frames % rate;
    if (2 * r > rate || (2 * r == rate && (q & 1))) ++q;
    return q;
}

int64_t rounded_budget(float target_mb) {
    double bits = std::nearbyint(static_cast<double>(target_mb) * 8388608.0);
    // A size beyond any real file saturates instead of overflowing.
    if (!(bits < 9.2e18)) return bits > 0 ? INT64_MAX : 0;
    if (bits < -9.2e18) return INT64_MIN;
    return static_cast<int64_t>(bits);
}

} // namespace

std::optional<int64_t> size_bitrate(float target_mb, int64_t frame_count, int64_t frame_rate,
                                    int audio_kbps) {
    if (frame_rate <= 0 || frame_count < 0) return std::nullopt;
    int64_t seconds = rounded_seconds(frame_count, frame_rate);
    if (seconds == 0) return std::nullopt;
    int64_t budget = rounded_budget(target_mb);
    // Wrapping arithmetic: absurd inputs give an absurd number, never a trap.
    uint64_t audio =
        static_cast<uint64_t>(seconds) * static_cast<uint64_t>(int64_t{audio_kbps}) * 1024u;
    int64_t remaining = static_cast<int64_t>(static_cast<uint64_t>(budget) - audio);
    return remaining / seconds / 1002;
}

TargetRate target_rate(const settings::Settings& s, platform::MediaProbe& probe) {
    if (!s.sizemode) return {};
    std::optional<platform::MediaLength> length = probe.media_probe(s.infile);
    if (!length) return {std::nullopt, "it cannot be measured"};
    if (length->frame_rate <= 0 || length->frame_count < 0)
        return {std::nullopt, "its length cannot be measured"};
    float target = std::strtof(s.value.c_str(), nullptr); // single precision, as stored
    int audio = s.aud ? settings::integer_value(s.aub) : 0;
    std::optional<int64_t> rate =
        size_bitrate(target, length->frame_count, length->frame_rate, audio);
    if (!rate) return {std::nullopt, "it is shorter than half a second"};
    return {rate, std::nullopt};
}

std::string bitrate_fragment(const settings::Settings& s, const std::string& value,
                             const TargetRate& rate) {
    if (!s.sizemode) return " -B " + value;
    return rate.kbps ? " -B " + std::to_string(*rate.kbps) : "";
}

} // namespace commands
