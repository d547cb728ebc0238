// Stands in for x264.exe in the end-to-end run. Asked for its --version, it
// prints "x264_version.txt" from its own folder (nothing when there is none)
// and ends; asked for its --help, "x264_help.txt" likewise. Otherwise it reads its -o, --stats and
// --crf or -B arguments, prints progress lines ended by CR to standard output
// (wine's cmd does not join standard error into "2>&1|" pipes), writes an
// output file whose size "x264_sizes.txt" in the current folder gives
// ("CRF_BYTES BITRATE_BYTES"), and appends what it did, with the priority
// class it ran at, to "x264_calls.txt".
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int print_beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    file = file.substr(0, file.find_last_of('\\') + 1) + name;
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) std::putchar(c);
        std::fclose(f);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") return print_beside("x264_version.txt");
    if (argc == 2 && std::string(argv[1]) == "--help") return print_beside("x264_help.txt");
    std::string out, stats, pass = "?";
    for (int i = 1; i + 1 < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o") out = argv[i + 1];
        if (a == "--stats") stats = argv[i + 1];
        if (a == "--crf") pass = std::string("crf ") + argv[i + 1];
        if (a == "-B") pass = std::string("bitrate ") + argv[i + 1];
    }
    long crf_bytes = 1000, bitrate_bytes = 2000;
    if (std::FILE* f = std::fopen("x264_sizes.txt", "r")) {
        if (std::fscanf(f, "%ld %ld", &crf_bytes, &bitrate_bytes) != 2) crf_bytes = 1000;
        std::fclose(f);
    }
    for (int p = 25; p <= 100; p += 25) {
        std::printf("[%d.0%%] %d/4 frames\r", p, p / 25);
        std::fflush(stdout);
    }
    std::printf("\nencoded 4 frames\n");
    // An output named "nothing..." is never written, as when x264 fails.
    std::string out_name = out.substr(out.find_last_of('\\') + 1);
    if (out_name.rfind("nothing", 0) == 0) out.clear();
    if (std::FILE* f = out.empty() ? nullptr : std::fopen(out.c_str(), "wb")) {
        long bytes = pass.rfind("crf", 0) == 0 ? crf_bytes : bitrate_bytes;
        for (long i = 0; i < bytes; ++i) std::fputc('v', f);
        std::fclose(f);
    }
    if (std::FILE* f = std::fopen("x264_calls.txt", "a")) {
        std::fprintf(f, "%s|%s|%s|%lx\n", pass.c_str(), out.c_str(), stats.c_str(),
                     GetPriorityClass(GetCurrentProcess()));
        std::fclose(f);
    }
    return 0;
}
