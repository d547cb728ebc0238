// One x264 line: one encoding pass.
#pragma once

#include <string>

#include "frontend/commands/job_block.h"
#include "frontend/commands/size_bitrate.h"
#include "frontend/settings/settings.h"

namespace commands {

// The options every mode carries, in their fixed order.
std::string common_options(const settings::Settings& s);

// The complete script line of one pass: the pieces of its primitive mode's
// row (see encode_modes.h), with the pass's own `value` and the job's
// measured target-size bitrate.
std::string pass_command(const settings::Settings& s, const Pass& pass, const TargetRate& rate);

} // namespace commands
