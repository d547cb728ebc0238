// pausems.exe for Windows: waits, then exits 0; bad parameters: one line, exit 2.
#include <windows.h>

#include <cstdio>

#include "tools/params/command_line.h"
#include "tools/pausems/pause_time.h"

int main() {
    std::vector<std::string> params = tools::split_parameters(GetCommandLineA());
    std::optional<unsigned long> ms = pausems::pause_time(params);
    if (!ms) {
        std::fprintf(stderr, "pausems: %s\n", pausems::usage);
        return 2;
    }
    Sleep(*ms);
    return 0;
}
