#include "frontend/settings/encode_modes.h"

namespace settings {

namespace {

using P = Piece;

const std::vector<Piece> single_bitrate = {P::ratio,   P::partition, P::bitrate,
                                           P::qp_full, P::subme,     P::vbv_ratetol};
const std::vector<Piece> single_quantizer = {P::quantizer, P::qp_limits, P::partition,
                                             P::chroma_me, P::ratio,     P::subme};
const std::vector<Piece> single_crf = {P::crf,     P::partition, P::subme, P::chroma_me,
                                       P::qp_full, P::ratio,     P::vbv};
const std::vector<Piece> first = {P::pass1,     P::stats, P::bitrate, P::qp_limits,  P::partition,
                                  P::chroma_me, P::ratio, P::subme,   P::vbv_ratetol};
const std::vector<Piece> first_fast = {P::pass1, P::stats,          P::bitrate,    P::qp_limits,
                                       P::ratio, P::fast_partition, P::fast_subme, P::vbv_ratetol};
const std::vector<Piece> nth = {P::pass_n,    P::stats,     P::bitrate, P::qp_full,    P::ratio,
                                P::chroma_me, P::partition, P::subme,   P::vbv_ratetol};
const std::vector<Piece> first_crf = {P::stats, P::pass1, P::crf,     P::partition,  P::chroma_me,
                                      P::ratio, P::subme, P::qp_full, P::vbv_ratetol};
const std::vector<Piece> first_crf_fast = {P::stats,      P::pass1,   P::crf,   P::fast_partition,
                                           P::fast_subme, P::qp_full, P::ratio, P::vbv_ratetol};
const std::vector<Piece> none;

// Columns: name; quantizer, value_high, rate_fields, stats_file, opens_stats,
// auto_crf, size_rows; pieces, writes_video, guarded; first_pass, second_pass,
// first_at_auto_crf, conditional.
const ModeSpec table[mode_count] = {
    {"Single Pass - Bitrate", false, 8000, true, false, false, false, false, single_bitrate, true,
     false, -1, -1, false, false},
    {"Single Pass - Quantizer", true, 51, false, false, false, false, false, single_quantizer, true,
     false, -1, -1, false, false},
    {"Single Pass - CRF", true, 51, true, false, false, false, false, single_crf, true, false, -1,
     -1, false, false},
    {"Mutipass - First Pass", false, 8000, true, true, false, false, false, first, false, false, -1,
     -1, false, false},
    {"Mutipass - First Pass(fast)", false, 8000, true, true, true, false, false, first_fast, false,
     false, -1, -1, false, false},
    {"Mutipass - Nth pass", false, 8000, true, true, false, false, false, nth, true, false, -1, -1,
     false, false},
    {"Automated Double Passes", false, 8000, true, true, false, false, false, none, true, false, 3,
     5, false, false},
    {"Automated Double Passes(fast)", false, 8000, true, true, false, false, false, none, true,
     false, 4, 5, false, false},
    {"Mutipass - First Pass(CRF)", true, 8000, true, true, false, false, false, first_crf, false,
     false, -1, -1, false, false},
    {"Mutipass - First Pass(CRF-fast)", true, 8000, true, true, false, false, false, first_crf_fast,
     false, false, -1, -1, false, false},
    {"Automated Double Passes(1P-CRF)", false, 8000, true, true, false, true, false, none, true,
     false, 8, 5, true, false},
    {"Automated Double Passes(1P-CRF-fast)", false, 8000, true, true, false, true, false, none,
     true, false, 9, 5, true, false},
    {"Mutipass - First Pass(CRF with output)", true, 8000, true, true, false, false, false,
     first_crf, true, false, -1, -1, false, false},
    // Composed of mode 12, a size test and its own guarded mode-5 line.
    {"Conditional Double Passes(1P-CRF)", false, 8000, true, true, false, true, true, nth, true,
     true, 12, 13, true, true},
};

const ModeSpec no_mode = {"",   false, 8000,  true, false, false, false, false,
                          none, true,  false, -1,   -1,    false, false};

} // namespace

const ModeSpec& mode_spec(int mode) {
    return mode >= 0 && mode < mode_count ? table[mode] : no_mode;
}

} // namespace settings
