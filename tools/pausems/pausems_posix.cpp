// pausems for POSIX systems: waits, then exits 0; bad parameters: one line, exit 2.
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "tools/pausems/pause_time.h"

int main(int argc, char** argv) {
    std::optional<unsigned long> ms = pausems::pause_time({argv + 1, argv + argc});
    if (!ms) {
        std::fprintf(stderr, "pausems: %s\n", pausems::usage);
        return 2;
    }
    timespec left = {static_cast<time_t>(*ms / 1000), static_cast<long>(*ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    return 0;
}
