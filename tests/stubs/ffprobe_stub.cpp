// Stands in for ffprobe.exe: for a file named "...ffv1.mkv" it prints what
// FFmpeg's probe prints for the test media's FFV1 Matroska file (100 frames
// at 25 per second, its frame count unknown to the container); for any
// other file, an error and exit code 1.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* file = argc > 1 ? argv[argc - 1] : "";
    if (std::strstr(file, "ffv1.mkv")) {
        // Standard output in text mode: each line ends in CR LF, as ffprobe's do.
        std::printf("[STREAM]\nr_frame_rate=25/1\nduration=N/A\nnb_frames=N/A\n[/STREAM]\n"
                    "[FORMAT]\nduration=4.000000\n[/FORMAT]\n");
        return 0;
    }
    std::fprintf(stderr, "%s: Invalid data found when processing input\n", file);
    return 1;
}
