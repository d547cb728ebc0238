#include "frontend/commands/job_check.h"

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/line_safety.h"
#include "frontend/commands/size_bitrate.h"
#include "frontend/commands/text_parts.h"
#include "frontend/commands/written_files.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

namespace {

// The job's passes carry a bitrate from the target size: every bitrate mode
// (the CRF first passes of the automated modes are followed by one).
bool uses_target_size(const settings::Settings& s) {
    return s.sizemode && s.muxer != settings::mux_audio_only &&
           !settings::mode_spec(s.mode).quantizer;
}

// The device a part of the path names ("CON", "nul.txt", "Com1.y4m": the part
// of the name before its first dot, trailing spaces aside), or nothing.
std::optional<std::string> device_named(const std::string& path) {
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
    size_t start = 0;
    for (;;) {
        size_t end = path.find_first_of("\\/", start);
        std::string part = path.substr(start, end == std::string::npos ? end : end - start);
        std::string base = upper(part.substr(0, part.find('.')));
        while (!base.empty() && base.back() == ' ') base.pop_back();
        for (const char* device : devices)
            if (base == device) return base;
        if (base.size() == 4 &&
            (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
            base[3] <= '9')
            return base;
        if (end == std::string::npos) return std::nullopt;
        start = end + 1;
    }
}

} // namespace

std::optional<std::string> name_problem(const std::string& name, platform::Os& os) {
    if (name.find_first_of("?*") != std::string::npos)
        return "holds characters that the ANSI code page cannot hold";
    if (!os.ansi_to_console(name))
        return "holds characters that the console's code page cannot hold";
    if (name.size() > os.longest_path())
        return "is longer than the " + std::to_string(os.longest_path()) +
               " characters that programs can open";
    if (std::optional<std::string> device = device_named(name))
        return "names the device " + *device + ", not a file";
    return std::nullopt;
}

namespace {

// Why the fields cannot make a job, before any line is made.
std::optional<Refusal> field_refusal(const settings::Settings& s, platform::Os& os) {
    if (std::optional<std::string> field = unsafe_field(s)) return Refusal{*field, "", ""};
    for (auto name : {&settings::Settings::infile, &settings::Settings::outfile,
                      &settings::Settings::statsname, &settings::Settings::logname})
        if (std::optional<std::string> problem = name_problem(s.*name, os))
            return Refusal{settings::spec_of(name).key, "", *problem};
    if (s.infile.empty() || s.outfile.empty()) return std::nullopt;
    if (std::optional<FileClash> clash = file_clash(s, os))
        return Refusal{clash->field, "", clash->reason};
    return std::nullopt;
}

} // namespace

std::optional<std::string> unreadable_input(const settings::Settings& s, const std::string& input,
                                            const X264InUse* x264) {
    if (!x264 || !settings::direct_input(s) || reads_input(x264->abilities, input))
        return std::nullopt;
    return "is not a file x264.exe (build " + std::to_string(x264->build) +
           ") can read: it reads " + what_it_reads(x264->abilities);
}

MadeJob make_job(const settings::Settings& s, InputProbe& probe, platform::Os& os,
                 const X264InUse* x264) {
    if (std::optional<Refusal> refusal = field_refusal(s, os)) return {{}, refusal};
    if (s.infile.empty() || s.outfile.empty()) {
        Refusal none;
        none.no_files = true;
        return {{}, none};
    }
    if (std::optional<std::string> problem = unreadable_input(s, s.infile, x264))
        return {{}, Refusal{"infile", "", *problem}};
    TargetRate rate;
    if (!s.infile.empty() && !s.outfile.empty() && uses_target_size(s)) {
        rate = target_rate(s, probe);
        if (!rate.kbps) {
            std::string problem = *rate.problem;
            if (!probe.media_probe(s.infile) && !probe.tried().empty())
                problem += " (tried " + probe.tried() + ")";
            return {{}, Refusal{"", probe.source_of(s.infile), problem}};
        }
    }
    JobList lines = job_block(s, rate);
    if (std::optional<Refusal> refusal = line_refusal(s, lines)) return {{}, refusal};
    return {std::move(lines), std::nullopt};
}

std::optional<Refusal> job_refusal(const settings::Settings& s, InputProbe& probe, platform::Os& os,
                                   const X264InUse* x264) {
    return make_job(s, probe, os, x264).refusal;
}

std::optional<Refusal> line_refusal(const settings::Settings& s, const JobList& lines) {
    for (const std::string& line : lines) {
        std::optional<std::string> name = piped_percent_problem(line);
        if (!name) continue;
        std::string field = "outfile"; // the audio file is named after the output
        for (auto member : {&settings::Settings::infile, &settings::Settings::outfile,
                            &settings::Settings::statsname, &settings::Settings::logname,
                            &settings::Settings::cqm})
            if (s.*member == *name || s.*member == "\"" + *name + "\"")
                field = settings::spec_of(member).key;
        return Refusal{field, "", "holds \"%\" where a piped line would expand it as a variable"};
    }
    return std::nullopt;
}

namespace {

// One wording, two styles: the window's sentence, and the command line's.
std::string refusal_sentence(const Refusal& r, bool command_line) {
    if (r.no_files)
        return command_line ? "the job was not added: it needs an input file and an output file"
                            : "Choose an input file and an output file first";
    const std::string q = command_line ? "" : "\"";
    const std::string head = command_line ? "the job" : "The job";
    if (!r.field.empty() && !r.reason.empty())
        return head + " was not added: " + q + r.field + q + " " + r.reason;
    if (!r.field.empty())
        return head + " was not added: " + q + r.field + q +
               " holds a character that cannot stand in a batch line";
    return head + " for " + q + r.input + q +
           " was not added: its target size needs its length, and " + r.reason;
}

} // namespace

std::string refusal_text(const Refusal& r) {
    return refusal_sentence(r, false);
}

std::string command_line_refusal_text(const Refusal& r) {
    return refusal_sentence(r, true);
}

} // namespace commands
