#include "frontend/session/x264_in_use.h"

namespace session {

std::optional<FoundX264> find_x264(platform::Tools& tools, const std::string& program_folder,
                                   const std::string& known) {
    std::optional<std::string> path =
        tools.find_program("x264.exe", {program_folder, program_folder + "tools\\"});
    if (!path) return std::nullopt;
    std::optional<std::string> output = tools.output_of(*path, "--version");
    std::optional<int> build = output ? commands::x264_build(*output) : std::nullopt;
    if (!build) return std::nullopt;
    std::optional<commands::X264Abilities> abilities = commands::abilities_of(known, *build);
    if (!abilities) {
        std::optional<std::string> help = tools.output_of(*path, "--help");
        abilities = help ? commands::x264_abilities(*help) : commands::X264Abilities{};
    }
    return FoundX264{*path, *build, *abilities};
}

std::string derived_output_extension(const std::optional<FoundX264>& x264) {
    return x264 && commands::writes_no_mp4(x264->abilities) ? "mkv" : "mp4";
}

} // namespace session
