// Length and frame rate of a media file, as the target-size bitrate needs them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct MediaLength {
    // The length in frames when the medium reports it in frames; otherwise
    // whole seconds × frames per second, fraction dropped; 0 when unknown.
    int64_t frame_count;
    // frame_count × 1000 ÷ the length in whole milliseconds, fraction
    // dropped; 0 when the length is unknown or under one millisecond.
    int64_t frame_rate;
};

class MediaProbe {
  public:
    virtual ~MediaProbe() = default;
    // Nothing when the file cannot be opened for playback analysis. The file
    // is released before this returns.
    virtual std::optional<MediaLength> media_probe(const std::string& path) = 0;
    // The ways the last probe that measured nothing tried, for the user
    // ("its .y4m header, DirectShow and ffprobe.exe"); empty when it does
    // not tell.
    virtual std::string tried() const { return ""; }
};

// The platform's media framework (DirectShow on Windows, libavformat elsewhere).
MediaProbe& native_media_probe();

// The two numbers from what a framework reports: the length in frames if it
// has one (negative: none), the length in 100-ns units, and the average
// duration of one frame in 100-ns units (0: unknown).
MediaLength media_length(int64_t frames, int64_t duration_100ns, int64_t frame_duration_100ns);

} // namespace platform
