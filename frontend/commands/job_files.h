// File names derived from a picked input, and the AviSynth wrapper for
// inputs that are not AviSynth scripts.
#pragma once

#include <string>

#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace commands {

// The three lines of the wrapper script for `source`, each ended by CR LF.
std::string wrapper_script(const std::string& source, const std::string& include_name);

// Fills `statsname`, `logname` and `outfile` from `infile` (output into
// `output_folder`, which ends in a separator) and, for a non-AviSynth input,
// writes a wrapper into the "avs" folder and makes it the input.
void derive_job_files(settings::Settings& s, const std::string& output_folder,
                      const std::string& program_folder, platform::Os& os);

} // namespace commands
