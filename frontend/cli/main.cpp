#include <iostream>

#include "frontend/cli/cli.h"
#include "platform/media_probes.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    platform::Os& os = platform::native_os();
    platform::Tools& tools = platform::native_tools();
    const std::string folder = os.program_folder();
    std::unique_ptr<platform::MediaProbes> probes =
        platform::native_media_probes(os, tools, {folder, folder + "tools\\"});
    return cli::run(args, os, *probes, tools, std::cout, std::cerr);
}
