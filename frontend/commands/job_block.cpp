#include "frontend/commands/job_block.h"

#include "frontend/commands/audio_mux.h"
#include "frontend/commands/pass_command.h"
#include "frontend/commands/text_parts.h"

namespace commands {

namespace {

constexpr int audio_only = 4; // `muxer` index

// The two passes of "Automated Double Passes" and its relatives.
void two_passes(JobContext& ctx, int first_mode, bool first_at_auto_crf) {
    settings::Settings& s = ctx.settings;
    const int automated = s.mode;
    const std::string value = s.value;
    if (first_at_auto_crf) s.value = s.auto1pcrf;
    s.mode = first_mode;
    add_pass(ctx);
    s.mode = 5;
    s.value = value;
    add_pass(ctx);
    s.mode = automated;
}

// Mode 13: a CRF pass with output, a size test, and a second pass that runs
// only when the size missed the range.
void conditional_passes(JobContext& ctx) {
    settings::Settings& s = ctx.settings;
    const std::string value = s.value;
    s.value = s.auto1pcrf;
    s.mode = 12;
    const int aud = s.aud;
    s.aud = 0;
    add_pass(ctx);
    s.aud = aud;
    s.mode = 5;
    s.value = value;
    ctx.jobs.push_back("@sizegate.exe " + s.minsize + " " + s.maxsize + " \"" +
                       script_name(s.outfile) + "\"");
    s.mode = 13;
    add_pass(ctx);
}

} // namespace

void add_pass(JobContext& ctx) {
    const settings::Settings& s = ctx.settings;
    ctx.jobs.push_back(pass_command(s, ctx.probe));
    if (s.aud && !writes_no_video(s.mode)) audio_command(s, s.ae, ctx.jobs);
}

void add_job(JobContext& ctx) {
    settings::Settings& s = ctx.settings;
    if (s.infile.empty() || s.outfile.empty()) return;
    ctx.jobs.push_back("@echo Input:\"" + script_name(s.infile) + "\"");
    ctx.jobs.push_back("@echo Output:\"" + script_name(s.outfile) + "\"");
    ctx.jobs.push_back("@echo Encode Mode:" + settings::choice_text(settings::mode_names, s.mode));
    if (s.muxer == audio_only) {
        audio_command(s, s.ae, ctx.jobs);
    } else {
        switch (s.mode) {
        case 6: two_passes(ctx, 3, false); break;
        case 7: two_passes(ctx, 4, false); break;
        case 10: two_passes(ctx, 8, true); break;
        case 11: two_passes(ctx, 9, true); break;
        case 13: conditional_passes(ctx); break;
        default: add_pass(ctx); break;
        }
    }
    s.infile.clear();
    s.outfile.clear();
    s.statsname.clear();
    s.logname.clear();
}

void append_job_block(JobContext& ctx) {
    ctx.jobs.push_back("@echo.");
    add_job(ctx);
    ctx.jobs.push_back("@echo+");
}

} // namespace commands
