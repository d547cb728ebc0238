// One x264 line: one encoding pass.
#pragma once

#include <string>

#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace commands {

// The first passes that keep only their stats file: 3, 4, 8 and 9.
bool writes_no_video(int mode);

// The options every mode carries, in their fixed order.
std::string common_options(const settings::Settings& s);

// The complete script line for the primitive mode in `mode` (or the guarded
// second pass of mode 13).
std::string pass_command(const settings::Settings& s, platform::MediaProbe& probe);

} // namespace commands
