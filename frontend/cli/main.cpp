#include <iostream>

#include "frontend/cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, platform::native_os(), platform::native_media_probe(),
                    platform::native_tools(), std::cout, std::cerr);
}
