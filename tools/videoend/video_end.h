// Whether the program that wrote a video file finished it, as the container
// itself tells: x264 writes a Matroska file's duration (SegmentInfo's
// Duration, 0 until then) only when it closes the file, and an MP4 file
// gets its index (the "moov" box) only at its end. A raw stream (.264) or an
// unknown container cannot tell.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace videoend {

enum class VideoEnd { finished, cut_short, cannot_tell };

// Reads `size` bytes of the file from `offset` (fewer at its end); nothing
// when it cannot be read.
using ReadPart = std::function<std::optional<std::string>(int64_t offset, size_t size)>;

VideoEnd video_end(int64_t file_size, const ReadPart& read);

// A ReadPart over a file opened by its name.
ReadPart file_part_reader(const std::string& path);

// What a report says of a video that is cut short.
constexpr const char* cut_short_reason =
    "the video is cut short: the program that wrote it did not finish it";

} // namespace videoend
