#include "frontend/ui/toolchain_question.h"

#include <algorithm>

#include "frontend/commands/job_block.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/text_parts.h"
#include "frontend/commands/x264_history.h"
#include "frontend/settings/ascii_case.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/text_number.h"

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

std::string missing_x264_note(const std::string& program_folder) {
    return "No x264.exe was found. The jobs' lines run x264.exe by name: put it beside "
           "quorbel.exe (in " +
           program_folder + "), in its tools folder (" + program_folder +
           "tools\\) or in a folder of the search path, then start quorbel again.";
}

std::string missing_program_in_queue(const commands::JobList& jobs, bool x264_found,
                                     bool ffmpeg_found, const std::string& unknown_x264) {
    int x264_lines = 0, ffmpeg_lines = 0;
    for (const std::string& line : jobs) {
        x264_lines += commands::runs_x264(line);
        ffmpeg_lines += commands::line_kind(line) == commands::LineKind::audio &&
                        commands::begins_with(line, "@ffmpeg.exe");
    }
    auto lines = [](int n) {
        return std::to_string(n) + (n == 1 ? " queued line" : " queued lines");
    };
    std::string text, unknown;
    if (!x264_found && x264_lines > 0) {
        if (unknown_x264.empty())
            text = "No x264.exe was found, which " + lines(x264_lines) + " run.";
        else
            unknown = unknown_x264 +
                      " does not say which build it is (its --version names none); " +
                      lines(x264_lines) + " run it.";
    }
    if (!ffmpeg_found && ffmpeg_lines > 0)
        text += (text.empty() ? "" : "\n") + std::string("No ffmpeg.exe was found, which ") +
                lines(ffmpeg_lines) + " run to decode the audio.";
    if (!text.empty())
        text += " Put the programs beside quorbel.exe, in its tools folder or on the search path.";
    return unknown + (unknown.empty() || text.empty() ? "" : "\n") + text;
}

ToolchainOffer toolchain_offer(const Settings& s, const FoundX264& x264, bool avisynth_installed) {
    ToolchainOffer offer;
    std::string reasons;
    std::vector<std::string> changes;
    std::vector<std::string> refused = refused_by_sample(s, x264.build);
    Settings other = s;
    other.x264cli = settings::x264_dialects[settings::current_x264(s) ? 0 : 1].name;
    if (!refused.empty() && refused_by_sample(other, x264.build).empty()) {
        offer.other_dialect = true;
        reasons += described(x264) + " in " + x264.path + " refuses " + joined(refused) +
                   ", which the " + s.x264cli + " x264 lines carry.\n";
        changes.push_back("switch to the lines for " + other.x264cli + " x264");
        if (settings::current_x264(other) && settings::integer_value(s.thr) == 1) {
            offer.own_threads = true;
            reasons += "The settings run x264 on one thread (--threads 1); current x264 builds "
                       "choose as many as the processor has.\n";
            changes.push_back("let x264 choose its threads");
        }
    }
    if (!settings::direct_input(s) && !avisynth_installed) {
        offer.direct_input = true;
        reasons += "AviSynth is not installed, so x264 cannot read the scripts that picked "
                   "inputs are wrapped into.\n";
        changes.push_back("let x264 open the inputs itself");
    }
    if (changes.empty()) return offer;
    if (commands::writes_no_mp4(x264.abilities))
        reasons += "It writes no MP4 files, so the outputs of picked inputs are named .mkv.\n";
    std::string change = joined(changes);
    change[0] = settings::ascii_upper(change[0]);
    offer.question = reasons + "\n" + change + "?";
    return offer;
}

std::string refused_in_queue(const commands::JobList& jobs, const FoundX264& x264) {
    std::vector<std::string> refused;
    int lines = 0, x264_lines = 0, mp4_lines = 0;
    for (const std::string& line : jobs) {
        if (!commands::runs_x264(line)) continue;
        ++x264_lines;
        std::optional<std::string> written = commands::written_file(line);
        if (written && commands::upper(commands::extension(*written)) == "MP4") ++mp4_lines;
        std::vector<std::string> here = commands::refused_options(line, x264.build);
        if (here.empty()) continue;
        ++lines;
        add_new(refused, here);
    }
    const std::string of_all = " of the " + std::to_string(x264_lines) + " queued x264 lines";
    std::string text;
    if (!refused.empty())
        text = described(x264) + " refuses " + joined(refused) + ", used in " +
               std::to_string(lines) + of_all + ".";
    if (commands::writes_no_mp4(x264.abilities) && mp4_lines > 0)
        text += (text.empty() ? "" : "\n") + described(x264) + " writes no MP4 files, which " +
                std::to_string(mp4_lines) + of_all + " write.";
    return text;
}

} // namespace ui
