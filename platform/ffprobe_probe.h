// ffprobe as a media framework: FFmpeg's own probe, wherever the scripts'
// tools are (the program's folder, its "tools" folder, the search path),
// reads the video stream's frame count or its length and frame rate.
#pragma once

#include <string>
#include <vector>

#include "platform/media_probe.h"
#include "platform/tools.h"

namespace platform {

// The frame count, length and rate from what `ffprobe -show_entries
// stream=nb_frames,r_frame_rate,duration:format=duration` prints
// ("key=value" lines); nothing when it names no rate and no length.
std::optional<MediaLength> ffprobe_length(const std::string& output);

class FfprobeProbe final : public MediaProbe {
  public:
    FfprobeProbe(Tools& tools, std::vector<std::string> folders)
        : tools_(tools), folders_(std::move(folders)) {}
    std::optional<MediaLength> media_probe(const std::string& path) override;

  private:
    Tools& tools_;
    std::vector<std::string> folders_;
};

} // namespace platform
