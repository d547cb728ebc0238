// Whether a video's writer finished it: Matroska's duration, MP4's index,
// on small files built here, and on files a real x264 writes when it ends
// and when it is killed midway.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_support.h"
#include "tools/videoend/video_end.h"

using videoend::VideoEnd;

namespace {

VideoEnd end_of(const std::string& bytes) {
    return videoend::video_end(static_cast<int64_t>(bytes.size()),
                               [&](int64_t offset, size_t size) -> std::optional<std::string> {
                                   if (offset > static_cast<int64_t>(bytes.size()))
                                       return std::nullopt;
                                   return bytes.substr(static_cast<size_t>(offset), size);
                               });
}

std::string element(const std::string& id, const std::string& data) {
    return id + std::string(1, static_cast<char>(0x80 | data.size())) + data;
}

// EBML header, a Segment of unknown size (as x264 writes it), its
// SegmentInfo holding `info`, then one Cluster.
std::string matroska(const std::string& info) {
    return element("\x1A\x45\xDF\xA3", element("\x42\x82", "matroska")) +
           std::string("\x18\x53\x80\x67\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12) +
           element(std::string("\x15\x49\xA9\x66", 4),
                   element(std::string("\x2A\xD7\xB1", 3), std::string("\x0F\x42\x40", 3)) + info) +
           element("\x1F\x43\xB6\x75", std::string("\xE7\x81\x00", 3));
}

std::string box(const std::string& type, const std::string& data) {
    uint32_t size = static_cast<uint32_t>(8 + data.size());
    std::string head = {static_cast<char>(size >> 24), static_cast<char>(size >> 16),
                        static_cast<char>(size >> 8), static_cast<char>(size)};
    return head + type + data;
}

} // namespace

TEST(VideoEnd, TheContainerTellsWhetherItsWriterFinishedIt) {
    const std::string ten_seconds("\x44\x89\x84\x46\x1C\x40\x00", 7); // 10000.0 as a float
    const std::string zero("\x44\x89\x84\x00\x00\x00\x00", 7);
    const std::string ftyp = box("ftyp", "isom");
    struct Case {
        const char* what;
        std::string bytes;
        VideoEnd end;
    } cases[] = {
        {"Matroska closed by x264", matroska(ten_seconds), VideoEnd::finished},
        {"Matroska whose duration is still 0", matroska(zero), VideoEnd::cut_short},
        {"Matroska without a duration", matroska(""), VideoEnd::cut_short},
        {"Matroska cut within its header", matroska(ten_seconds).substr(0, 30),
         VideoEnd::cannot_tell},
        {"MP4 with its index at the end", ftyp + box("mdat", "frames") + box("moov", "index"),
         VideoEnd::finished},
        {"MP4 with its index first", ftyp + box("moov", "index") + box("mdat", "frames"),
         VideoEnd::finished},
        {"MP4 whose frames run to the end (size 0)",
         ftyp + box("moov", "index") + std::string("\0\0\0\0mdat", 8) + "frames",
         VideoEnd::finished},
        {"MP4 without an index", ftyp + box("mdat", "frames"), VideoEnd::cut_short},
        {"MP4 cut within its frames",
         (ftyp + box("mdat", "frames") + box("moov", "index")).substr(0, 20), VideoEnd::cut_short},
        {"a raw H.264 stream", std::string("\0\0\0\x01\x67\x64\x00\x1f", 8), VideoEnd::cannot_tell},
        {"an empty file", "", VideoEnd::cannot_tell},
    };
    for (const Case& c : cases) EXPECT_EQ(end_of(c.bytes), c.end) << c.what;
}

#ifndef _WIN32
namespace {

int64_t size_of(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<int64_t>(size);
}

} // namespace

// Debian's x264, run here: a whole encode, and one killed after a second of
// a slow one, which leaves frames but no duration.
TEST(VideoEnd, WhatARealX264LeavesWhenItEndsAndWhenItIsKilled) {
    if (std::system("command -v x264 >/dev/null 2>&1") != 0) GTEST_SKIP() << "no x264 here";
    test::TempFolder dir;
    const std::string clip = dir.file("clip.y4m");
    {
        std::ofstream y4m(clip, std::ios::binary);
        y4m << "YUV4MPEG2 W320 H240 F25:1 Ip A1:1 C420jpeg\n";
        std::string frame(320 * 240 * 3 / 2, '\0');
        for (int f = 0; f < 600; ++f) {
            for (size_t i = 0; i < frame.size(); ++i)
                frame[i] =
                    static_cast<char>((i * 7 + static_cast<size_t>(f) * 13 + i / 320 * f) & 0xFF);
            y4m << "FRAME\n" << frame;
        }
    }
    const std::string whole = dir.file("whole.mkv"), killed = dir.file("killed.mkv");
    ASSERT_EQ(std::system(("x264 --quiet --preset ultrafast --frames 25 -o " + whole + " " + clip +
                           " 2>/dev/null")
                              .c_str()),
              0);
    EXPECT_EQ(videoend::video_end(size_of(whole), videoend::file_part_reader(whole)),
              VideoEnd::finished);
    // Killed once it has written some frames (a minute at the most).
    const std::string run = "x264 --quiet --preset placebo --threads 1 --rc-lookahead 1 -o " +
                            killed + " " + clip +
                            " 2>/dev/null & pid=$!; for i in $(seq 600); do "
                            "[ $(stat -c %s " +
                            killed +
                            " 2>/dev/null || echo 0) -gt 20000 ] && "
                            "break; sleep 0.1; done; kill -9 $pid; wait $pid";
    std::system(("sh -c '" + run + "'").c_str());
    ASSERT_GT(size_of(killed), 20000);
    EXPECT_EQ(videoend::video_end(size_of(killed), videoend::file_part_reader(killed)),
              VideoEnd::cut_short);
}
#endif
