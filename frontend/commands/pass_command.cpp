#include "frontend/commands/pass_command.h"

#include "frontend/commands/option_fragments.h"
#include "frontend/commands/size_bitrate.h"
#include "frontend/commands/text_parts.h"

namespace commands {

using settings::Settings;

namespace {

// The pieces a mode part is made of.
enum class Piece {
    pass1,
    pass_n,
    stats,
    bitrate,
    quantizer,
    crf,
    qp_full,
    qp_limits,
    partition,
    fast_partition,
    chroma_me,
    ratio,
    subme,
    fast_subme,
    vbv_ratetol,
    vbv,
};

std::string render(Piece piece, const Settings& s, platform::MediaProbe& probe) {
    switch (piece) {
    case Piece::pass1: return " -p 1";
    case Piece::pass_n: return s.upstat ? " -p 3" : " -p 2";
    case Piece::stats: return " --stats \"" + script_name(s.statsname) + "\"";
    case Piece::bitrate: return size_bitrate_fragment(s, probe);
    case Piece::quantizer: return " -q " + s.value;
    case Piece::crf: return " --crf " + s.value;
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

using P = Piece;
const std::vector<Piece>& mode_part(int mode) {
    static const std::vector<Piece> single_bitrate = {P::ratio,   P::partition, P::bitrate,
                                                      P::qp_full, P::subme,     P::vbv_ratetol};
    static const std::vector<Piece> single_quantizer = {P::quantizer, P::qp_limits, P::partition,
                                                        P::chroma_me, P::ratio,     P::subme};
    static const std::vector<Piece> single_crf = {P::crf,     P::partition, P::subme, P::chroma_me,
                                                  P::qp_full, P::ratio,     P::vbv};
    static const std::vector<Piece> first = {P::pass1,     P::stats,     P::bitrate,
                                             P::qp_limits, P::partition, P::chroma_me,
                                             P::ratio,     P::subme,     P::vbv_ratetol};
    static const std::vector<Piece> first_fast = {P::pass1,      P::stats,      P::bitrate,
                                                  P::qp_limits,  P::ratio,      P::fast_partition,
                                                  P::fast_subme, P::vbv_ratetol};
    static const std::vector<Piece> nth = {P::pass_n,    P::stats, P::bitrate,
                                           P::qp_full,   P::ratio, P::chroma_me,
                                           P::partition, P::subme, P::vbv_ratetol};
    static const std::vector<Piece> first_crf = {P::stats,     P::pass1,     P::crf,
                                                 P::partition, P::chroma_me, P::ratio,
                                                 P::subme,     P::qp_full,   P::vbv_ratetol};
    static const std::vector<Piece> first_crf_fast = {P::stats,          P::pass1,      P::crf,
                                                      P::fast_partition, P::fast_subme, P::qp_full,
                                                      P::ratio,          P::vbv_ratetol};
    static const std::vector<Piece> none;
    switch (mode) {
    case 0: return single_bitrate;
    case 1: return single_quantizer;
    case 2: return single_crf;
    case 3: return first;
    case 4: return first_fast;
    case 5:
    case 13: return nth;
    case 8:
    case 12: return first_crf;
    case 9: return first_crf_fast;
    default: return none; // automated modes are composed from passes
    }
}

} // namespace

bool writes_no_video(int mode) {
    return mode == 3 || mode == 4 || mode == 8 || mode == 9;
}

std::string common_options(const Settings& s) {
    return cqm_fragment(s) + toggles_fragment(s) + keyint_fragment(s) + entropy_fragment(s) +
           me_fragment(s) + sar_fragment(s) + threads_fragment(s) + nr_fragment(s) +
           deblock_fragment(s) + bframe_fragment(s) + deadzone_fragment(s) + aq_fragment(s);
}

std::string pass_command(const Settings& s, platform::MediaProbe& probe) {
    // Current builds show progress by default, compute no PSNR or SSIM
    // unless asked, and refuse these three options.
    std::string line =
        settings::current_x264(s) ? "@x264.exe" : "@x264.exe --progress --no-psnr --no-ssim";
    line += common_options(s);
    for (Piece piece : mode_part(s.mode)) line += render(piece, s, probe);
    line += writes_no_video(s.mode) ? " -o nul " : " -o \"" + script_name(s.outfile) + "\" ";
    line += "\"" + script_name(s.infile) + "\"";
    if (s.crelog) line += " 2>&1|runlog.exe \"" + script_name(s.logname) + "\"";
    if (s.mode == 13) line = "@if errorlevel 1 " + line;
    return line;
}

} // namespace commands
