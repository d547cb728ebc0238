#include "frontend/commands/job_block.h"

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/job_blocks.h"
#include "frontend/commands/pass_command.h"
#include "frontend/commands/text_parts.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

namespace {

constexpr int audio_only = 4; // `muxer` index

// The passes of an automated mode, as its row gives them. A conditional mode
// adds its first pass without audio, then the size test, then its guarded
// second pass.
void composed_passes(JobContext& ctx, const settings::ModeSpec& mode) {
    settings::Settings& s = ctx.settings;
    const int automated = s.mode;
    const std::string value = s.value;
    const int aud = s.aud;
    if (mode.first_at_auto_crf) s.value = s.auto1pcrf;
    s.mode = mode.first_pass;
    if (mode.conditional) s.aud = 0;
    add_pass(ctx);
    s.aud = aud;
    s.value = value;
    if (mode.conditional)
        ctx.jobs.push_back("@sizegate.exe " + s.minsize + " " + s.maxsize + " \"" +
                           script_name(s.outfile) + "\"");
    s.mode = mode.second_pass;
    add_pass(ctx);
    s.mode = automated;
}

} // namespace

void add_pass(JobContext& ctx) {
    const settings::Settings& s = ctx.settings;
    ctx.jobs.push_back(pass_command(s, ctx.probe));
    if (s.aud && settings::mode_spec(s.mode).writes_video) audio_command(s, s.ae, ctx.jobs);
}

void add_job(JobContext& ctx) {
    settings::Settings& s = ctx.settings;
    if (s.infile.empty() || s.outfile.empty()) return;
    ctx.jobs.push_back("@echo Input:\"" + script_name(s.infile) + "\"");
    ctx.jobs.push_back("@echo Output:\"" + script_name(s.outfile) + "\"");
    const settings::ModeSpec& mode = settings::mode_spec(s.mode);
    ctx.jobs.push_back("@echo Encode Mode:" + std::string(mode.name));
    if (s.muxer == audio_only)
        audio_command(s, s.ae, ctx.jobs);
    else if (mode.first_pass >= 0)
        composed_passes(ctx, mode);
    else
        add_pass(ctx);
    s.infile.clear();
    s.outfile.clear();
    s.statsname.clear();
    s.logname.clear();
}

void append_job_block(JobContext& ctx) {
    ctx.jobs.push_back(block_start);
    add_job(ctx);
    ctx.jobs.push_back(block_end);
}

} // namespace commands
