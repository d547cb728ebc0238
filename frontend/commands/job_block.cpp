#include "frontend/commands/job_block.h"

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/pass_command.h"
#include "frontend/commands/text_parts.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

namespace {

bool audio_after(const settings::Settings& s, int mode) {
    return s.aud && settings::mode_spec(mode).writes_video;
}

} // namespace

std::vector<Pass> passes_of(const settings::Settings& s) {
    const settings::ModeSpec& mode = settings::mode_spec(s.mode);
    if (mode.first_pass < 0) return {{s.mode, s.value, audio_after(s, s.mode)}};
    Pass first{mode.first_pass, mode.first_at_auto_crf ? s.auto1pcrf : s.value,
               !mode.conditional && audio_after(s, mode.first_pass)};
    return {first, {mode.second_pass, s.value, audio_after(s, mode.second_pass)}};
}

JobList job_block(const settings::Settings& s, const TargetRate& rate) {
    JobList lines = {block_start};
    if (!s.infile.empty() && !s.outfile.empty()) {
        lines.push_back("@echo Input:\"" + script_name(s.infile) + "\"");
        lines.push_back("@echo Output:\"" + script_name(s.outfile) + "\"");
        const settings::ModeSpec& mode = settings::mode_spec(s.mode);
        lines.push_back("@echo Encode Mode:" + std::string(mode.name));
        if (s.muxer == settings::mux_audio_only) {
            audio_command(s, s.ae, lines);
        } else {
            std::vector<Pass> passes = passes_of(s);
            for (size_t i = 0; i < passes.size(); ++i) {
                if (i == 1 && mode.conditional)
                    lines.push_back("@sizegate.exe " + s.minsize + " " + s.maxsize + " \"" +
                                    script_name(s.outfile) + "\"");
                lines.push_back(pass_command(s, passes[i], rate));
                if (passes[i].audio) audio_command(s, s.ae, lines);
            }
        }
    }
    lines.push_back(block_end);
    return lines;
}

} // namespace commands
