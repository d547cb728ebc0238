#include "frontend/commands/pass_command.h"

#include "frontend/commands/option_fragments.h"
#include "frontend/commands/text_parts.h"
#include "frontend/settings/encode_modes.h"

namespace commands {

using settings::Settings;

namespace {

using settings::Piece;

std::string render(Piece piece, const Settings& s, const Pass& pass, const TargetRate& rate) {
    switch (piece) {
    case Piece::pass1: return " -p 1";
    case Piece::pass_n: return s.upstat ? " -p 3" : " -p 2";
    case Piece::stats: return " --stats \"" + script_name(s.statsname) + "\"";
    case Piece::bitrate: return bitrate_fragment(s, pass.value, rate);
    case Piece::quantizer: return " -q " + pass.value;
    case Piece::crf: return " --crf " + pass.value;
    case Piece::qp_full: return qp_fragment(s, true);
    case Piece::qp_limits: return qp_fragment(s, false);
    case Piece::partition: return partition_fragment(s);
    case Piece::fast_partition: return fast_partition_fragment(s);
    case Piece::chroma_me: return chroma_me_fragment(s);
    case Piece::ratio: return ratio_fragment(s);
    case Piece::subme: return subme_fragment(s);
    case Piece::fast_subme: return fast_subme_fragment(s);
    case Piece::vbv_ratetol: return vbv_fragment(s, true);
    case Piece::vbv: return vbv_fragment(s, false);
    }
    return "";
}

} // namespace

std::string common_options(const Settings& s) {
    return cqm_fragment(s) + toggles_fragment(s) + keyint_fragment(s) + entropy_fragment(s) +
           me_fragment(s) + sar_fragment(s) + threads_fragment(s) + nr_fragment(s) +
           deblock_fragment(s) + bframe_fragment(s) + deadzone_fragment(s) + aq_fragment(s);
}

std::string pass_command(const Settings& s, const Pass& pass, const TargetRate& rate) {
    // Current builds show progress by default, compute no PSNR or SSIM
    // unless asked, and refuse these three options.
    std::string line =
        settings::current_x264(s) ? "@x264.exe" : "@x264.exe --progress --no-psnr --no-ssim";
    line += common_options(s);
    const settings::ModeSpec& mode = settings::mode_spec(pass.mode);
    for (Piece piece : mode.pieces) line += render(piece, s, pass, rate);
    line += mode.writes_video ? " -o \"" + script_name(s.outfile) + "\" " : " -o nul ";
    line += "\"" + script_name(s.infile) + "\"";
    if (s.crelog) line += " 2>&1|runlog.exe \"" + script_name(s.logname) + "\"";
    if (mode.guarded) line = "@if errorlevel 1 " + line;
    return line;
}

} // namespace commands
