// videoend FILE: exit code 0 when FILE is there, not empty, and its
// container does not tell that the program writing it stopped before the
// end (tools/videoend/video_end.h); 1 otherwise, saying so on standard error
// when the file is there but cut short; 2 for bad usage.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/videoend/video_end.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: videoend FILE\n");
        return 2;
    }
    const std::string file = argv[1];
    struct stat info;
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) return 1;
    videoend::VideoEnd end = videoend::video_end(
        info.st_size, [&](int64_t offset, size_t size) -> std::optional<std::string> {
            std::ifstream in(file, std::ios::binary);
            if (!in.seekg(offset)) return std::nullopt;
            std::string bytes(size, '\0');
            in.read(bytes.data(), static_cast<std::streamsize>(size));
            bytes.resize(static_cast<size_t>(in.gcount()));
            return bytes;
        });
    if (end != videoend::VideoEnd::cut_short) return 0;
    std::fprintf(stderr, "the video is cut short: the program that wrote it did not finish it\n");
    return 1;
}
