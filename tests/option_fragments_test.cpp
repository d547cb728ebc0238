#include <gtest/gtest.h>

#include <functional>

#include "commands_fixture.h"
#include "frontend/commands/option_fragments.h"
#include "frontend/commands/text_parts.h"

using namespace commands;
using settings::Settings;

namespace {

struct Case {
    const char* what;
    std::function<void(Settings&)> change;
    std::function<std::string(const Settings&)> fragment;
    const char* expected;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        Settings s = test::example_settings();
        c.change(s);
        EXPECT_EQ(c.fragment(s), c.expected) << c.what;
    }
}

auto qp_full = [](const Settings& s) { return qp_fragment(s, true); };
auto qp_limits = [](const Settings& s) { return qp_fragment(s, false); };
auto vbv_tol = [](const Settings& s) { return vbv_fragment(s, true); };
auto vbv_plain = [](const Settings& s) { return vbv_fragment(s, false); };

} // namespace

TEST(RatioText, RoundsToSinglePrecisionWithSixDecimals) {
    EXPECT_EQ(ratio_text(1.4), "1.400000");
    EXPECT_EQ(ratio_text(0.6), "0.600000");
    EXPECT_EQ(ratio_text(-0.25), "-0.250000");
    EXPECT_EQ(ratio_text(0.0000004), "0.000000");
    EXPECT_EQ(ratio_text(21474836.47), "21474836.000000"); // single precision
}

TEST(Fragments, MatrixRatioAndPartitions) {
    check({
        {"cqm jvt", [](Settings& s) { s.cqm = "jvt"; }, cqm_fragment, " --cqm jvt"},
        {"cqm JVT is a file", [](Settings& s) { s.cqm = "JVT"; }, cqm_fragment, " --cqmfile JVT"},
        {"cqm quoted file", [](Settings& s) { s.cqm = "\"C:\\m.cfg\""; }, cqm_fragment,
         " --cqmfile \"C:\\m.cfg\""},
        {"ratios", [](Settings&) {}, ratio_fragment, " --ipratio 1.400000 --pbratio 1.300000"},
        {"kfb 40.9 empty bfr", [](Settings& s) { s.kfb = "40.9", s.bfr = ""; }, ratio_fragment,
         " --ipratio 1.400000 --pbratio 1.000000"},
        {"kfb -50", [](Settings& s) { s.kfb = "-50"; }, ratio_fragment,
         " --ipratio 0.500000 --pbratio 1.300000"},
        {"all partitions", [](Settings& s) { s.a4 = 1; }, partition_fragment,
         " --8x8dct -A p8x8,p4x4,b8x8,i8x8,i4x4"},
        {"only a4", [](Settings& s) { s.a1 = s.a2 = s.a3 = s.a5 = s.a6 = 0, s.a4 = 1; },
         partition_fragment, " -A none"},
        {"only a1", [](Settings& s) { s.a2 = s.a3 = s.a4 = s.a5 = s.a6 = 0; }, partition_fragment,
         " --8x8dct -A none"},
        {"a5 without a1", [](Settings& s) { s.a1 = 0; }, partition_fragment, " -A p8x8,b8x8,i4x4"},
        {"fast", [](Settings& s) { s.a4 = 1; }, fast_partition_fragment, " -A p8x8,i4x4"},
        {"fast none", [](Settings& s) { s.a2 = s.a6 = 0; }, fast_partition_fragment, " -A none"},
    });
}

TEST(Fragments, QuantizersMotionAndSubme) {
    check({
        {"qp full", [](Settings&) {}, qp_full,
         " --qpmin 10 --qpmax 51 --qpstep 4 --qcomp 0.600000"},
        {"qp limits", [](Settings&) {}, qp_limits, " --qpmin 10 --qpmax 51"},
        {"cme on", [](Settings& s) { s.m = 8; }, chroma_me_fragment, ""},
        {"cme off subme 4", [](Settings& s) { s.cme = 0, s.m = 3; }, chroma_me_fragment, ""},
        {"cme off subme 5", [](Settings& s) { s.cme = 0, s.m = 4; }, chroma_me_fragment,
         " --no-chroma-me"},
        {"dia", [](Settings& s) { s.ms = 0; }, me_fragment, " --me dia"},
        {"hex", [](Settings&) {}, me_fragment, " --me hex"},
        {"umh empty range", [](Settings& s) { s.ms = 2, s.range = ""; }, me_fragment,
         " --me umh --merange "},
        {"esa", [](Settings& s) { s.ms = 3, s.range = "24"; }, me_fragment,
         " --me esa --merange 24"},
        {"sar trimmed", [](Settings& s) { s.arx = " 16", s.ary = "9 "; }, sar_fragment,
         " --sar 16:9"},
        {"subme 7 rdo", [](Settings& s) { s.m = 8; }, subme_fragment, " -m 7 --b-rdo"},
        {"subme 6b", [](Settings& s) { s.m = 6; }, subme_fragment, " -m 6 --b-rdo"},
        {"subme 7", [](Settings& s) { s.m = 7; }, subme_fragment, " -m 7"},
        {"fast subme capped", [](Settings& s) { s.m = 8; }, fast_subme_fragment, " -m 3"},
        {"fast subme 2", [](Settings& s) { s.m = 1; }, fast_subme_fragment, " -m 2"},
    });
}

TEST(Fragments, TogglesKeyintEntropyThreads) {
    check({
        {"no toggles", [](Settings&) {}, toggles_fragment, ""},
        {"all toggles", [](Settings& s) { s.fastpsk = s.dctd = 0, s.apin = s.mxref = 1; },
         toggles_fragment, " --no-fast-pskip --no-dct-decimate --thread-input --mixed-refs"},
        {"mixed refs needs ref > 1", [](Settings& s) { s.mxref = 1, s.ref = "1"; },
         toggles_fragment, ""},
        {"keyint", [](Settings&) {}, keyint_fragment, " --scenecut 40 -I 250 -i 25"},
        {"no cabac", [](Settings& s) { s.cab = 0, s.tre = 2; }, entropy_fragment, " --no-cabac"},
        {"trellis 0", [](Settings& s) { s.tre = 0; }, entropy_fragment, ""},
        {"trellis 2", [](Settings& s) { s.tre = 2; }, entropy_fragment, " -t 2"},
        {"threads 0", [](Settings&) {}, threads_fragment, " --threads auto -r 3"},
        {"threads empty", [](Settings& s) { s.thr = ""; }, threads_fragment,
         " --threads auto -r 3"},
        {"threads auto", [](Settings& s) { s.thr = "auto"; }, threads_fragment,
         " --threads auto -r 3"},
        {"threads 2", [](Settings& s) { s.thr = "2"; }, threads_fragment, " --threads 2 -r 3"},
        {"nr", [](Settings&) {}, nr_fragment, " --nr 0"},
    });
}

TEST(Fragments, DeblockBframesVbvAqDeadzone) {
    check({
        {"deblock", [](Settings& s) { s.fa = " -2", s.fb = "3 "; }, deblock_fragment, " -f -2:3"},
        {"no deblock", [](Settings& s) { s.fil = 0; }, deblock_fragment, " --nf"},
        {"bframes", [](Settings&) {}, bframe_fragment,
         " -b 2 --direct \"auto\" --bime --b-bias 0 -w"},
        {"bframes all", [](Settings& s) { s.ba = 0, s.bref = 1, s.dm = 1, s.bias = "-100"; },
         bframe_fragment,
         " -b 2 --direct \"spatial\" --bime --no-b-adapt --b-bias -100 --b-pyramid -w"},
        {"mb 0", [](Settings& s) { s.mb = "0"; }, bframe_fragment, " -b 0"},
        {"mb text", [](Settings& s) { s.mb = "x"; }, bframe_fragment, " -b x"},
        {"vbv ratetol", [](Settings&) {}, vbv_tol,
         " --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0"},
        {"vbv", [](Settings&) {}, vbv_plain, " --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0"},
        {"aq off", [](Settings&) {}, aq_fragment, ""},
        {"aq on", [](Settings& s) { s.aq = 1, s.aq1 = "0.5", s.aq2 = "15"; }, aq_fragment,
         " --aq-strength 0.5 --aq-sensitivity 15"},
        {"deadzone", [](Settings&) {}, deadzone_fragment,
         " --deadzone-inter 21 --deadzone-intra 11"},
    });
}

TEST(TextParts, PathParts) {
    EXPECT_EQ(folder_part("C:\\a.b\\clip"), "C:\\a.b\\");
    EXPECT_EQ(file_name("C:\\a.b\\clip"), "clip");
    EXPECT_EQ(extension("C:\\a.b\\clip"), "");
    EXPECT_EQ(extension("/x/movie.AVS"), "AVS");
    EXPECT_EQ(output_stem("D:\\v\\clip.mp4"), "D:\\v\\clip.");
    EXPECT_EQ(output_stem("D:\\v.1\\clip"), "D:\\v.1\\clip");
    EXPECT_EQ(script_name("50%off %%"), "50%%off %%%%");
}
