// quorbel-cli: job blocks from the command line, exactly as the window adds them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/media_probe.h"
#include "platform/os.h"

namespace cli {

// Runs the program with its arguments (without the program name). Returns
// the exit code: 0, or 2 after one line on `err` for bad usage or I/O.
int run(const std::vector<std::string>& args, platform::Os& os, platform::MediaProbe& probe,
        std::ostream& out, std::ostream& err);

} // namespace cli
