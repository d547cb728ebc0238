#include "frontend/commands/option_fragments.h"

#include "frontend/commands/text_parts.h"
#include "frontend/settings/text_number.h"

namespace commands {

using settings::integer_value;

namespace {

// "1" to "7": the first character of the chosen partition-decision entry.
std::string subme_digit(const Settings& s) {
    return settings::choice_text(settings::partition_names, s.m).substr(0, 1);
}

// The subpixel-refinement level of the x264 lines. Current x264 builds fold
// B-frame RDO into the levels ("subme7 == old subme6+brdo, subme8 == old
// subme7+brdo"): "6b" becomes 7, and "7" and "7b" the nearest, 8.
std::string subme_level(const Settings& s) {
    if (!settings::current_x264(s)) return subme_digit(s);
    switch (s.m) {
    case 6: return "7";
    case 7:
    case 8: return "8";
    default: return subme_digit(s);
    }
}

std::string partition_list(std::string names) {
    if (names.empty()) return "none";
    names.pop_back(); // the last name's comma
    return names;
}

} // namespace

std::string cqm_fragment(const Settings& s) {
    if (s.cqm == "flat" || s.cqm == "jvt") return " --cqm " + s.cqm;
    return " --cqmfile " + script_name(s.cqm);
}

std::string ratio_fragment(const Settings& s) {
    return " --ipratio " + ratio_text(integer_value(s.kfb) / 100.0 + 1) + " --pbratio " +
           ratio_text(integer_value(s.bfr) / 100.0 + 1);
}

std::string partition_fragment(const Settings& s) {
    std::string names;
    if (s.a2) {
        names += "p8x8,";
        if (s.a4) names += "p4x4,";
    }
    if (s.a3) names += "b8x8,";
    if (s.a1 && s.a5) names += "i8x8,";
    if (s.a6) names += "i4x4,";
    return (s.a1 ? " --8x8dct" : "") + std::string(" -A ") + partition_list(names);
}

std::string fast_partition_fragment(const Settings& s) {
    std::string names;
    if (s.a2) names += "p8x8,";
    if (s.a6) names += "i4x4,";
    return " -A " + partition_list(names);
}

std::string qp_fragment(const Settings& s, bool full) {
    std::string text = " --qpmin " + s.minqp + " --qpmax " + s.maxqp;
    if (full) text += " --qpstep " + s.qps + " --qcomp " + ratio_text(integer_value(s.vbr) / 100.0);
    return text;
}

std::string chroma_me_fragment(const Settings& s) {
    return !s.cme && integer_value(subme_level(s)) > 4 ? " --no-chroma-me" : "";
}

std::string me_fragment(const Settings& s) {
    switch (s.ms) {
    case 0: return " --me dia";
    case 1: return " --me hex";
    case 2: return " --me umh --merange " + s.range;
    default: return " --me esa --merange " + s.range;
    }
}

std::string sar_fragment(const Settings& s) {
    return " --sar " + trim_spaces(s.arx) + ":" + trim_spaces(s.ary);
}

std::string subme_fragment(const Settings& s) {
    bool b_rdo = (s.m == 6 || s.m == 8) && !settings::current_x264(s);
    return " -m " + subme_level(s) + (b_rdo ? " --b-rdo" : "");
}

std::string fast_subme_fragment(const Settings& s) {
    return s.m > 2 ? " -m 3" : " -m " + subme_digit(s);
}

std::string toggles_fragment(const Settings& s) {
    std::string text;
    if (!s.fastpsk) text += " --no-fast-pskip";
    if (!s.dctd) text += " --no-dct-decimate";
    if (s.apin) text += " --thread-input";
    if (s.mxref && integer_value(s.ref) > 1) text += " --mixed-refs";
    return text;
}

std::string keyint_fragment(const Settings& s) {
    return " --scenecut " + s.sct + " -I " + s.maxgop + " -i " + s.mingop;
}

std::string entropy_fragment(const Settings& s) {
    if (!s.cab) return " --no-cabac";
    if (s.tre != 0) return " -t " + settings::choice_text(settings::trellis_names, s.tre);
    return "";
}

std::string threads_fragment(const Settings& s) {
    std::string threads = integer_value(s.thr) == 0 ? "auto" : s.thr;
    return " --threads " + threads + " -r " + s.ref;
}

std::string nr_fragment(const Settings& s) {
    return " --nr " + s.nr;
}

std::string deblock_fragment(const Settings& s) {
    if (!s.fil) return " --nf";
    return " -f " + trim_spaces(s.fa) + ":" + trim_spaces(s.fb);
}

std::string bframe_fragment(const Settings& s) {
    std::string text = " -b " + s.mb;
    if (integer_value(s.mb) <= 0) return text;
    text += " --direct \"" + lower(settings::choice_text(settings::direct_mode_names, s.dm)) + "\"";
    const bool current = settings::current_x264(s);
    if (s.bme && !current) text += " --bime"; // automatic from subme 5 in current builds
    if (!s.ba) text += " --no-b-adapt";
    text += " --b-bias " + s.bias;
    if (s.bref) text += current ? " --b-pyramid normal" : " --b-pyramid";
    if (s.bwb) text += " -w";
    return text;
}

std::string vbv_fragment(const Settings& s, bool with_ratetol) {
    std::string text;
    if (with_ratetol) text += " --ratetol " + ratio_text(integer_value(s.bv) / 100.0);
    return text + " --vbv-init " + s.vib + " --vbv-bufsize " + s.vbs + " --vbv-maxrate " + s.vmb;
}

std::string aq_fragment(const Settings& s) {
    // Current builds turn AQ on by default and have no sensitivity.
    if (settings::current_x264(s))
        return s.aq ? " --aq-mode 1 --aq-strength " + s.aq1 : " --aq-mode 0";
    return s.aq ? " --aq-strength " + s.aq1 + " --aq-sensitivity " + s.aq2 : "";
}

std::string deadzone_fragment(const Settings& s) {
    return " --deadzone-inter " + s.dzinter + " --deadzone-intra " + s.dzintra;
}

} // namespace commands
