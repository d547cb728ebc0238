// The length of a YUV4MPEG2 (.y4m) file, read from the file itself: no media
// framework opens it on a stock Windows. The header line gives the picture's
// size, its colour space and its frame rate ("F30000:1001"); every frame is a
// "FRAME" line and the picture's samples, so the frames are counted from the
// file's size (walking the frame lines when they carry parameters of their
// own). Exact; interlacing and comments ("X" tags) change nothing.
#pragma once

#include <optional>
#include <string>

#include "platform/media_probe.h"
#include "platform/os.h"

namespace platform {

// Nothing when the file is not a .y4m or cannot be read; a frame rate of 0
// when its header gives none.
std::optional<MediaLength> y4m_length(Os& os, const std::string& path);

class Y4mProbe final : public MediaProbe {
  public:
    explicit Y4mProbe(Os& os) : os_(os) {}
    std::optional<MediaLength> media_probe(const std::string& path) override {
        return y4m_length(os_, path);
    }

  private:
    Os& os_;
};

} // namespace platform
