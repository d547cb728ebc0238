#include "frontend/ui/toolchain_question.h"

#include <algorithm>

#include "frontend/commands/job_block.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/x264_history.h"
#include "frontend/settings/ascii_case.h"
#include "frontend/settings/choices.h"

namespace ui {

using settings::Settings;

namespace {

// The options of one line, each added once to those found before.
void add_new(std::vector<std::string>& found, const std::vector<std::string>& options) {
    for (const std::string& option : options)
        if (std::find(found.begin(), found.end(), option) == found.end()) found.push_back(option);
}

// The options that the lines of a job with these settings would carry and
// that the build refuses.
std::vector<std::string> refused_by_sample(Settings s, int build) {
    s.infile = settings::direct_input(s) ? "sample.mkv" : "sample.avs";
    s.outfile = "sample.mkv";
    s.statsname = "sample.stat";
    s.logname = "sample.txt";
    s.sizemode = 0;
    s.aud = 0;
    s.muxer = settings::mux_none; // the passes alone
    // No input is measured: the sample has no target size.
    commands::JobList lines = commands::job_block(s, {});
    std::vector<std::string> refused;
    for (const std::string& line : lines) add_new(refused, commands::refused_options(line, build));
    return refused;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (size_t i = 0; i < words.size(); ++i)
        text += (i == 0 ? "" : i + 1 == words.size() ? " and " : ", ") + words[i];
    return text;
}

std::string described(const FoundX264& x264) {
    return "x264.exe (build " + std::to_string(x264.build) + ")";
}

} // namespace

std::optional<FoundX264> find_x264(platform::Tools& tools, const std::string& program_folder) {
    std::optional<std::string> path =
        tools.find_program("x264.exe", {program_folder, program_folder + "tools\\"});
    if (!path) return std::nullopt;
    std::optional<std::string> output = tools.output_of(*path, "--version");
    std::optional<int> build = output ? commands::x264_build(*output) : std::nullopt;
    if (!build) return std::nullopt;
    return FoundX264{*path, *build};
}

ToolchainOffer toolchain_offer(const Settings& s, const FoundX264& x264, bool avisynth_installed) {
    ToolchainOffer offer;
    std::string reasons, changes;
    std::vector<std::string> refused = refused_by_sample(s, x264.build);
    Settings other = s;
    other.x264cli = settings::x264_dialects[settings::current_x264(s) ? 0 : 1].name;
    if (!refused.empty() && refused_by_sample(other, x264.build).empty()) {
        offer.other_dialect = true;
        reasons += described(x264) + " in " + x264.path + " refuses " + joined(refused) +
                   ", which the " + s.x264cli + " x264 lines carry.\n";
        changes = "switch to the lines for " + other.x264cli + " x264";
    }
    if (!settings::direct_input(s) && !avisynth_installed) {
        offer.direct_input = true;
        reasons += "AviSynth is not installed, so x264 cannot read the scripts that picked "
                   "inputs are wrapped into.\n";
        changes += std::string(changes.empty() ? "" : " and ") + "let x264 open the inputs itself";
    }
    if (!changes.empty()) {
        changes[0] = settings::ascii_upper(changes[0]);
        offer.question = reasons + "\n" + changes + "?";
    }
    return offer;
}

std::string refused_in_queue(const commands::JobList& jobs, const FoundX264& x264) {
    std::vector<std::string> refused;
    int lines = 0, x264_lines = 0;
    for (const std::string& line : jobs) {
        std::vector<std::string> here = commands::refused_options(line, x264.build);
        if (commands::runs_x264(line)) ++x264_lines;
        if (here.empty()) continue;
        ++lines;
        add_new(refused, here);
    }
    if (refused.empty()) return "";
    return described(x264) + " refuses " + joined(refused) + ", used in " + std::to_string(lines) +
           " of the " + std::to_string(x264_lines) + " queued x264 lines.";
}

} // namespace ui
