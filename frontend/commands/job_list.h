// The job list: the batch-script lines the generators make.
#pragma once

#include <string>
#include <vector>

#include "frontend/settings/settings.h"

namespace commands {

// Batch-script lines without line ends, in order.
using JobList = std::vector<std::string>;

} // namespace commands
