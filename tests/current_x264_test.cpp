// The "current" dialect of the x264 lines: what current x264 builds accept,
// meaning for them what the settings mean.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/commands/option_fragments.h"
#include "frontend/commands/pass_command.h"

using namespace commands;
using settings::Settings;

namespace {

Settings current() {
    Settings s = test::example_settings();
    s.x264cli = "current";
    return s;
}

} // namespace

TEST(CurrentX264, ChangesOnlyThePiecesCurrentBuildsReject) {
    Settings s = current(), c = test::example_settings();
    // Partition decision: "6b" and "7b" lose --b-rdo; the levels map onto
    // the current refinement scale.
    const char* levels[9] = {" -m 1", " -m 2", " -m 3", " -m 4", " -m 5",
                             " -m 6", " -m 7", " -m 8", " -m 8"};
    for (int m = 0; m < 9; ++m) {
        s.m = c.m = m;
        EXPECT_EQ(subme_fragment(s), levels[m]) << m;
    }
    c.m = 6;
    EXPECT_EQ(subme_fragment(c), " -m 6 --b-rdo");
    // Chroma ME keeps its rule on the mapped level.
    s.cme = 0;
    s.m = 3;
    EXPECT_EQ(chroma_me_fragment(s), "");
    s.m = 6;
    EXPECT_EQ(chroma_me_fragment(s), " --no-chroma-me");
    // B-frames: no --bime; the pyramid needs its value.
    s.bme = 1, s.bref = 1;
    EXPECT_EQ(bframe_fragment(s), " -b 2 --direct \"auto\" --b-bias 0 --b-pyramid normal -w");
    // AQ: its mode is stated both ways, with no sensitivity.
    s.aq = 1, s.aq1 = "0.5", s.aq2 = "15";
    EXPECT_EQ(aq_fragment(s), " --aq-mode 1 --aq-strength 0.5");
    s.aq = 0;
    EXPECT_EQ(aq_fragment(s), " --aq-mode 0");
}

TEST(CurrentX264, OneWholeLinePerKindOfPass) {
    const std::string common = "@x264.exe --cqm flat --scenecut 40 -I 250 -i 25 -t 1 --me hex "
                               "--sar 1:1 --threads auto -r 3 --nr 0 -f 0:0 -b 2 --direct \"auto\" "
                               "--b-bias 0 -w --deadzone-inter 21 --deadzone-intra 11 --aq-mode 0";
    struct Row {
        int mode;
        const char* after_common;
    } rows[] = {
        {0, // single pass, bitrate
         " --ipratio 1.400000 --pbratio 1.300000 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -B 1000 --qpmin "
         "10 --qpmax 51 --qpstep 4 --qcomp 0.600000 -m 6 --ratetol 1.000000 --vbv-init 0.9 "
         "--vbv-bufsize 0 --vbv-maxrate 0 -o \"C:\\video\\movie.mp4\" \"C:\\video\\movie.avs\" "
         "2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\""},
        {1, // single pass, quantizer
         " -q 1000 --qpmin 10 --qpmax 51 --8x8dct -A p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 "
         "--pbratio 1.300000 -m 6 -o \"C:\\video\\movie.mp4\" \"C:\\video\\movie.avs\" "
         "2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\""},
        {2, // single pass, CRF
         " --crf 1000 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 6 --qpmin 10 --qpmax 51 --qpstep 4 "
         "--qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 --vbv-init 0.9 --vbv-bufsize 0 "
         "--vbv-maxrate 0 -o \"C:\\video\\movie.mp4\" \"C:\\video\\movie.avs\" 2>&1|runlog.exe "
         "\"C:\\enc\\log\\movie.avs.txt\""},
        {3, // first pass
         " -p 1 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --8x8dct "
         "-A p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 --pbratio 1.300000 -m 6 --ratetol 1.000000 "
         "--vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" "
         "2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\""},
        {4, // first pass (fast)
         " -p 1 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --ipratio "
         "1.400000 --pbratio 1.300000 -A p8x8,i4x4 -m 3 --ratetol 1.000000 --vbv-init 0.9 "
         "--vbv-bufsize 0 --vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" 2>&1|runlog.exe "
         "\"C:\\enc\\log\\movie.avs.txt\""},
        {5, // Nth pass
         " -p 3 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --qpstep "
         "4 --qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 --8x8dct -A p8x8,b8x8,i8x8,i4x4 "
         "-m 6 --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o "
         "\"C:\\video\\movie.mp4\" \"C:\\video\\movie.avs\" 2>&1|runlog.exe "
         "\"C:\\enc\\log\\movie.avs.txt\""},
        {8, // first pass (CRF)
         " --stats \"C:\\enc\\stats\\movie.avs.stat\" -p 1 --crf 1000 --8x8dct -A "
         "p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 --pbratio 1.300000 -m 6 --qpmin 10 --qpmax 51 "
         "--qpstep 4 --qcomp 0.600000 --ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 "
         "--vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" 2>&1|runlog.exe "
         "\"C:\\enc\\log\\movie.avs.txt\""},
        {9, // first pass (CRF, fast)
         " --stats \"C:\\enc\\stats\\movie.avs.stat\" -p 1 --crf 1000 -A p8x8,i4x4 -m 3 --qpmin 10 "
         "--qpmax 51 --qpstep 4 --qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 --ratetol "
         "1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" "
         "2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\""},
    };
    test::FakeProbe probe;
    for (const Row& r : rows) {
        Settings s = current();
        s.mode = r.mode;
        EXPECT_EQ(test::pass_line(s, probe), common + r.after_common) << "mode " << r.mode;
    }
    Settings s = current();
    s.mode = 13;
    EXPECT_EQ(test::pass_line(s, probe).substr(0, 17 + common.size()),
              "@if errorlevel 1 " + common);
}
