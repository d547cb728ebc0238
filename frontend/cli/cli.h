// quorbel-cli: job blocks from the command line, exactly as the window adds them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/media_probe.h"
#include "platform/os.h"
#include "platform/tools.h"

namespace cli {

// Runs the program with its arguments (without the program name). Returns
// the exit code: 0, or 2 after one line on `err` for bad usage or I/O.
// The x264 the jobs will run is looked for through `tools`: when it writes
// no MP4, derived outputs are Matroska files.
int run(const std::vector<std::string>& args, platform::Os& os, platform::MediaProbe& probe,
        platform::Tools& tools, std::ostream& out, std::ostream& err);

} // namespace cli
