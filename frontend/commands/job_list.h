// What the command generators work on: the settings, the job list they append
// to, and the services a few of them need.
#pragma once

#include <string>
#include <vector>

#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace commands {

// Batch-script lines without line ends, in order.
using JobList = std::vector<std::string>;

struct JobContext {
    settings::Settings& settings;
    JobList& jobs;
    platform::MediaProbe& probe; // for target sizes
};

} // namespace commands
