#include "frontend/commands/option_fragments.h"

#include "frontend/commands/text_parts.h"
#include "frontend/settings/choices.h"
#include "frontend/settings/text_number.h"

namespace commands {

using settings::integer_value;

namespace {

// The chosen partition decision's levels; empty when none is chosen.
const settings::PartitionDecision none_chosen = {"", "", false, ""};
const settings::PartitionDecision& decision(const Settings& s) {
    const settings::PartitionDecision* d = settings::entry(settings::partition_decisions, s.m);
    return d ? *d : none_chosen;
}

// The subpixel-refinement level in the dialect of the lines.
std::string subme_level(const Settings& s) {
    return settings::current_x264(s) ? decision(s).current : decision(s).classic;
}

// The word of a list's chosen entry; empty when none is chosen.
template <int N> std::string word(const settings::Choice (&list)[N], int index) {
    const settings::Choice* c = settings::entry(list, index);
    return c ? c->word : "";
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
    // The search range is written only with the two wide methods; any index
    // beyond the list searches exhaustively.
    if (s.ms == 0 || s.ms == 1) return " --me " + word(settings::me_methods, s.ms);
    return " --me " + word(settings::me_methods, s.ms == 2 ? 2 : 3) + " --merange " + s.range;
}

std::string sar_fragment(const Settings& s) {
    return " --sar " + trim_spaces(s.arx) + ":" + trim_spaces(s.ary);
}

std::string subme_fragment(const Settings& s) {
    bool b_rdo = decision(s).b_rdo && !settings::current_x264(s);
    return " -m " + subme_level(s) + (b_rdo ? " --b-rdo" : "");
}

std::string fast_subme_fragment(const Settings& s) {
    return s.m > 2 ? " -m 3" : " -m " + std::string(decision(s).classic);
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
    if (s.tre != 0) return " -t " + word(settings::trellis_choices, s.tre);
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
    text += " --direct \"" + word(settings::direct_modes, s.dm) + "\"";
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
