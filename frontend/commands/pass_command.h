// One x264 line: one encoding pass.
#pragma once

#include <string>

#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace commands {

// The options every mode carries, in their fixed order.
std::string common_options(const settings::Settings& s);

// The complete script line for the primitive mode in `mode` (its row's
// pieces; see encode_modes.h).
std::string pass_command(const settings::Settings& s, platform::MediaProbe& probe);

} // namespace commands
