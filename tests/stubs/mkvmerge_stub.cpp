// Stands in for mkvmerge in script tests: "-o OUT IN..." writes the inputs'
// bytes, one after another, to OUT.
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 4 || std::strcmp(argv[1], "-o") != 0) return 2;
    std::ofstream out(argv[2], std::ios::binary);
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) return 2;
        out << in.rdbuf();
    }
    return out ? 0 : 2;
}
