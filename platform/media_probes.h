// The ways a job's input is measured, in order; the first that answers wins.
// On Windows: the .y4m header reader, DirectShow, Media Foundation and
// ffprobe.exe; elsewhere the .y4m reader and libavformat.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/media_probe.h"
#include "platform/os.h"
#include "platform/tools.h"

namespace platform {

class MediaProbes final : public MediaProbe {
  public:
    struct Way {
        std::string name; // for the user: "its .y4m header", "DirectShow", ...
        MediaProbe* probe;
    };
    // The ways in order; `owned` are probes of theirs that live as long as
    // the chain.
    explicit MediaProbes(std::vector<Way> ways, std::vector<std::unique_ptr<MediaProbe>> owned = {})
        : ways_(std::move(ways)), owned_(std::move(owned)) {}
    std::optional<MediaLength> media_probe(const std::string& path) override;
    // "its .y4m header, DirectShow, Media Foundation and ffprobe.exe"
    std::string tried() const override;

  private:
    std::vector<Way> ways_;
    std::vector<std::unique_ptr<MediaProbe>> owned_;
};

// The platform's ways, with ffprobe looked for in `tool_folders` (the
// program's folder and its "tools" folder) and on the search path.
std::unique_ptr<MediaProbes> native_media_probes(Os& os, Tools& tools,
                                                 const std::vector<std::string>& tool_folders);

} // namespace platform
