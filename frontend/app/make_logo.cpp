// Writes the logo bitmap into the file named on the command line; run on the
// build machine, its output goes into the program's resources.
#include <cstdio>

#include "frontend/app/logo.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo FILE.bmp\n");
        return 2;
    }
    std::string bmp = app::logo_bitmap();
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bmp.data(), 1, bmp.size(), f) != bmp.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_logo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
