#include "platform/media_probe.h"

namespace platform {

MediaLength media_length(int64_t frames, int64_t duration_100ns, int64_t frame_duration_100ns) {
    int64_t millis = duration_100ns > 0 ? duration_100ns / 10000 : 0;
    if (frames < 0) {
        // Whole seconds × (1 / average frame duration), fraction dropped.
        int64_t seconds = millis / 1000;
        frames = frame_duration_100ns > 0 ? seconds * 10000000 / frame_duration_100ns : 0;
    }
    int64_t rate = millis > 0 ? frames * 1000 / millis : 0;
    return {frames, rate};
}

} // namespace platform
