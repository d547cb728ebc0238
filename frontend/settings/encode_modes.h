// The fourteen encode modes (`mode`), one row each: what the user sees, the
// limits of `value`, which controls the mode needs, and how its job runs its
// passes. Every place that asks about a mode reads its row.
#pragma once

#include <vector>

namespace settings {

// The pieces a pass line's mode part is made of, in the order of the row.
enum class Piece {
    pass1,          // " -p 1"
    pass_n,         // " -p 2", or " -p 3" when `upstat` is on
    stats,          // " --stats" and the stats file
    bitrate,        // " -B": `value`, or the bitrate of a target size
    quantizer,      // " -q " + `value`
    crf,            // " --crf " + `value`
    qp_full,        // qp fragment with --qpstep and --qcomp
    qp_limits,      // qp fragment, limits only
    partition,      // " --8x8dct" and " -A"
    fast_partition, // " -A", reduced
    chroma_me,
    ratio,
    subme,
    fast_subme,
    vbv_ratetol, // the VBV options with --ratetol
    vbv,         // the VBV options without it
};

struct ModeSpec {
    const char* name; // shown in the list and echoed into the job
    bool quantizer;   // `value` is captioned "Quantizer" (a quantizer or CRF)
    int value_high;   // upper limit of `value` while "Size" is off: 51 or 8000
    bool rate_fields; // `vbr`, `minqp`, `maxqp`, `qps`, `vbs`, `vmb`, `vib` enabled
    bool stats_file;  // `upstat`, `statsname` and the statsfile "..." enabled
    bool opens_stats; // the statsfile "..." opens an existing file (it saves in others)
    bool auto_crf;    // `auto1pcrf` and "<-CRF" shown
    bool size_rows;   // the size fields shown in the logo's place
    // A primitive mode: its one pass line, and whether it writes video (the
    // first passes keep only their stats and write to "nul").
    std::vector<Piece> pieces;
    bool writes_video;
    bool guarded; // the line runs only when the size test before it failed
    // An automated mode: its passes, by primitive mode; the first at the CRF
    // of `auto1pcrf`; with a size test between them, the first pass writes no
    // audio and the second runs only when the size missed its range.
    int first_pass, second_pass;
    bool first_at_auto_crf, conditional;
};

constexpr int mode_count = 14;
// The mode's row; an index outside the list gives a row that writes nothing.
const ModeSpec& mode_spec(int mode);

} // namespace settings
