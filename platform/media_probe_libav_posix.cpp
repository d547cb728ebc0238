// Media probing through libavformat.
#include "platform/media_probe.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include "platform/posix_path.h"

namespace platform {
namespace {

class LibavProbe final : public MediaProbe {
  public:
    LibavProbe() { av_log_set_level(AV_LOG_QUIET); }

    std::optional<MediaLength> media_probe(const std::string& path) override {
        std::string native = native_path(path);
        AVFormatContext* ctx = nullptr;
        if (avformat_open_input(&ctx, native.c_str(), nullptr, nullptr) < 0) return std::nullopt;
        if (avformat_find_stream_info(ctx, nullptr) < 0) {
            avformat_close_input(&ctx);
            return std::nullopt;
        }
        int64_t duration = ctx->duration != AV_NOPTS_VALUE ? ctx->duration * 10 : 0; // µs to 100 ns
        int64_t frames = -1, frame_duration = 0;
        int video = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video >= 0) {
            const AVStream* st = ctx->streams[video];
            if (st->nb_frames > 0) frames = st->nb_frames;
            if (st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0)
                frame_duration = 10000000LL * st->avg_frame_rate.den / st->avg_frame_rate.num;
            if (duration <= 0 && st->duration != AV_NOPTS_VALUE)
                duration = av_rescale_q(st->duration, st->time_base, AVRational{1, 10000000});
        }
        avformat_close_input(&ctx);
        return media_length(frames, duration, frame_duration);
    }
};

} // namespace

MediaProbe& native_media_probe() {
    static LibavProbe probe;
    return probe;
}

} // namespace platform
