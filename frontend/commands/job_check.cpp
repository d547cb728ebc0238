#include "frontend/commands/job_check.h"

#include "frontend/commands/line_safety.h"
#include "frontend/commands/size_bitrate.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

namespace {

constexpr int audio_only = 4; // `muxer` index: no pass line at all

// The job's passes carry a bitrate from the target size: every bitrate mode
// (the CRF first passes of the automated modes are followed by one).
bool uses_target_size(const settings::Settings& s) {
    return s.sizemode && s.muxer != audio_only && !settings::mode_spec(s.mode).quantizer;
}

} // namespace

std::optional<std::string> name_problem(const std::string& name, platform::Os& os) {
    if (name.find_first_of("?*") != std::string::npos)
        return "holds characters that the ANSI code page cannot hold";
    if (!os.ansi_to_console(name))
        return "holds characters that the console's code page cannot hold";
    return std::nullopt;
}

std::optional<Refusal> job_refusal(const settings::Settings& s, InputProbe& probe,
                                   platform::Os& os) {
    if (std::optional<std::string> field = unsafe_field(s)) return Refusal{*field, "", ""};
    for (auto name : {&settings::Settings::infile, &settings::Settings::outfile,
                      &settings::Settings::statsname, &settings::Settings::logname})
        if (std::optional<std::string> problem = name_problem(s.*name, os))
            return Refusal{settings::spec_of(name).key, "", *problem};
    if (s.infile.empty() || s.outfile.empty() || !uses_target_size(s)) return std::nullopt;
    if (std::optional<std::string> problem = target_size_problem(s, probe))
        return Refusal{"", probe.source_of(s.infile), *problem};
    return std::nullopt;
}

std::string refusal_text(const Refusal& r) {
    if (!r.field.empty() && !r.reason.empty())
        return "The job was not added: \"" + r.field + "\" " + r.reason;
    if (!r.field.empty())
        return "The job was not added: \"" + r.field +
               "\" holds a character that cannot stand in a batch line";
    return "The job for \"" + r.input + "\" was not added: its target size needs its length, and " +
           r.reason;
}

} // namespace commands
