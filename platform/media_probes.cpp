#include "platform/media_probes.h"

#include "platform/ffprobe_probe.h"
#include "platform/y4m_probe.h"
#ifdef _WIN32
#include "platform/media_probe_mf.h"
#endif

namespace platform {

std::optional<MediaLength> MediaProbes::media_probe(const std::string& path) {
    for (const Way& way : ways_)
        if (std::optional<MediaLength> length = way.probe->media_probe(path)) return length;
    return std::nullopt;
}

std::string MediaProbes::tried() const {
    std::string text;
    for (size_t i = 0; i < ways_.size(); ++i)
        text += (i == 0 ? "" : i + 1 == ways_.size() ? " and " : ", ") + ways_[i].name;
    return text;
}

std::unique_ptr<MediaProbes> native_media_probes(Os& os, Tools& tools,
                                                 const std::vector<std::string>& tool_folders) {
    std::vector<std::unique_ptr<MediaProbe>> owned;
    owned.push_back(std::make_unique<Y4mProbe>(os));
    std::vector<MediaProbes::Way> ways = {{"its .y4m header", owned.back().get()}};
#ifdef _WIN32
    ways.push_back({"DirectShow", &native_media_probe()});
    ways.push_back({"Media Foundation", &media_foundation_probe()});
    owned.push_back(std::make_unique<FfprobeProbe>(tools, tool_folders));
    ways.push_back({"ffprobe.exe", owned.back().get()});
#else
    (void)tools, (void)tool_folders;
    ways.push_back({"libavformat", &native_media_probe()});
#endif
    return std::make_unique<MediaProbes>(std::move(ways), std::move(owned));
}

} // namespace platform
