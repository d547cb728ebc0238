// The x264 the scripts will call, as the window and quorbel-cli find it: in
// the program's folder, in its "tools" folder, then on the search path; its
// build from `x264 --version`, and what it reads and writes from
// `x264 --help`, read once per build.
#pragma once

#include <optional>
#include <string>

#include "frontend/commands/x264_history.h"
#include "platform/tools.h"

namespace session {

struct FoundX264 {
    std::string path;
    int build;
    commands::X264Abilities abilities;
};

// Nothing when it is not there or does not tell its build. `known` is what
// the settings keep of the last build whose help was read
// (commands::abilities_text); it is used when it is of this build.
std::optional<FoundX264> find_x264(platform::Tools& tools, const std::string& program_folder,
                                   const std::string& known = "");

// The extension of the outputs derived for new jobs: "mkv" when the x264
// in use writes no MP4, else "mp4".
std::string derived_output_extension(const std::optional<FoundX264>& x264);

} // namespace session
