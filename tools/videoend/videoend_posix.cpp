// videoend FILE: exit code 0 when FILE is there, not empty, and its
// container does not tell that the program writing it stopped before the
// end (tools/videoend/video_end.h); 1 otherwise, saying so on standard error
// when the file is there but cut short; 2 for bad usage.
#include <sys/stat.h>

#include <cstdio>
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
    videoend::VideoEnd end = videoend::video_end(info.st_size, videoend::file_part_reader(file));
    if (end != videoend::VideoEnd::cut_short) return 0;
    std::fprintf(stderr, "%s\n", videoend::cut_short_reason);
    return 1;
}
