// Stands in for x264 in script tests: a progress line ended by a carriage
// return, a result line, and a last line without line end. (x264 writes to
// standard error; wine's cmd does not join it into "2>&1|" pipes, so the
// stand-in writes everything to standard output.)
#include <cstdio>

int main() {
    std::fputs("[10.0%] 1/10 frames\r", stdout);
    std::fflush(stdout);
    std::fputs("encoded 10 frames\n", stdout);
    std::fflush(stdout);
    std::fputs("done", stdout);
    return 0;
}
