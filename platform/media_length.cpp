#include "platform/media_probe.h"

namespace platform {

MediaLength media_length(int64_t frames, int64_t duration_100ns, int64_t frame_duration_100ns) {
    int64_t millis = duration_100ns > 0 ? duration_100ns / 10000 : 0;
    if (frames < 0) {
        // Whole seconds × (1 / average frame duration), fraction dropped; a
        // length too long to be real counts as unknown.
        int64_t seconds = millis / 1000;
        bool fits = seconds <= INT64_MAX / 10000000;
        frames = frame_duration_100ns > 0 && fits ? seconds * 10000000 / frame_duration_100ns : 0;
    }
    // A frame count whose thousandfold leaves 64 bits cannot be right (a
    // corrupt header): no rate, so no bitrate is derived from it.
    bool fits = frames <= INT64_MAX / 1000;
    int64_t rate = millis > 0 && fits ? frames * 1000 / millis : 0;
    return {frames, rate};
}

} // namespace platform
