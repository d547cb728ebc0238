// Whether the job the fields describe may be added. A job is refused when a
// field would put a control character or a command of its own into its lines
// (see line_safety.h), or when it asks for a target size and no bitrate can
// be computed for its input: a job that ignored its size would look like
// success.
#pragma once

#include <optional>
#include <string>

#include "frontend/commands/input_probe.h"
#include "frontend/settings/settings.h"

namespace commands {

struct Refusal {
    std::string field;  // the key of the unsafe field; empty for a target size
    std::string input;  // the input as the user picked it (a wrapper's source)
    std::string reason; // for a target size: "it cannot be measured", ...
};

// Nothing when the job can be added; a job without input or output adds only
// its marker lines and is never refused.
std::optional<Refusal> job_refusal(const settings::Settings& s, InputProbe& probe);

// One sentence for the user, without a final full stop:
//   The job was not added: "nr" holds a character that cannot stand in a batch line
//   The job for "D:\v\clip.mkv" was not added: its target size needs its length, and it cannot be
//   measured
std::string refusal_text(const Refusal& r);

} // namespace commands
