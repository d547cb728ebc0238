#include "platform/ffprobe_probe.h"

#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

// The value of the first "key=value" line of this key; empty when none.
std::string value_of(const std::string& output, const std::string& key) {
    size_t at = 0;
    while (at < output.size()) {
        size_t end = output.find('\n', at);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(at, end - at);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
        at = end + 1;
    }
    return "";
}

} // namespace

std::optional<MediaLength> ffprobe_length(const std::string& output) {
    const std::string rate = value_of(output, "r_frame_rate");
    char* slash = nullptr;
    double num = std::strtod(rate.c_str(), &slash);
    double den = slash && *slash == '/' ? std::strtod(slash + 1, nullptr) : 1;
    std::string seconds = value_of(output, "duration");
    if (seconds.empty() || seconds == "N/A") {
        // The container's length, printed after the streams.
        size_t format = output.find("[FORMAT]");
        seconds = format == std::string::npos ? "" : value_of(output.substr(format), "duration");
    }
    char* end = nullptr;
    double length = std::strtod(seconds.c_str(), &end);
    if (end == seconds.c_str() || !(length > 0) || !(num > 0) || !(den > 0)) return std::nullopt;
    std::string counted = value_of(output, "nb_frames");
    char* counted_end = nullptr;
    long long frames = std::strtoll(counted.c_str(), &counted_end, 10);
    return media_length(counted_end != counted.c_str() && frames > 0 ? frames : -1,
                        std::llround(length * 1e7), std::llround(1e7 * den / num));
}

std::optional<MediaLength> FfprobeProbe::media_probe(const std::string& path) {
    std::optional<std::string> ffprobe = tools_.find_program("ffprobe.exe", folders_);
    if (!ffprobe) return std::nullopt;
    std::optional<std::string> output =
        tools_.output_of(*ffprobe, "-v error -select_streams v:0 -show_entries "
                                   "stream=nb_frames,r_frame_rate,duration:format=duration \"" +
                                       path + "\"");
    return output ? ffprobe_length(*output) : std::nullopt;
}

} // namespace platform
