// Settings of the worked example: input C:\video\movie.avs, program in C:\enc\.
#pragma once

#include <map>

#include "frontend/commands/pass_command.h"
#include "frontend/settings/settings.h"
#include "platform/media_probe.h"

namespace test {

inline settings::Settings example_settings() {
    settings::Settings s;
    s.cqm = "flat", s.fastpsk = 1, s.dctd = 1, s.apin = 0, s.mxref = 0, s.ref = "3", s.sct = "40";
    s.maxgop = "250", s.mingop = "25", s.cab = 1, s.tre = 1, s.ms = 1, s.arx = "1", s.ary = "1";
    s.thr = "0", s.nr = "0", s.fil = 1, s.fa = "0", s.fb = "0", s.mb = "2", s.dm = 2, s.bme = 1;
    s.ba = 1, s.bwb = 1, s.bref = 0, s.bias = "0", s.dzinter = "21", s.dzintra = "11", s.aq = 0;
    s.kfb = "40", s.bfr = "30", s.a1 = 1, s.a2 = 1, s.a3 = 1, s.a4 = 0, s.a5 = 1, s.a6 = 1;
    s.minqp = "10", s.maxqp = "51", s.qps = "4", s.vbr = "60", s.cme = 1, s.m = 5, s.bv = "100";
    s.vib = "0.9", s.vbs = "0", s.vmb = "0", s.value = "1000", s.sizemode = 0, s.upstat = 1;
    s.crelog = 1, s.aud = 0, s.mode = 6;
    s.infile = "C:\\video\\movie.avs";
    s.outfile = "C:\\video\\movie.mp4";
    s.statsname = "C:\\enc\\stats\\movie.avs.stat";
    s.logname = "C:\\enc\\log\\movie.avs.txt";
    return s;
}

// The lines the worked example gives.
inline const std::string common =
    "@x264.exe --progress --no-psnr --no-ssim --cqm flat --scenecut 40 -I 250 -i 25 -t 1 --me hex "
    "--sar 1:1 --threads auto -r 3 --nr 0 -f 0:0 -b 2 --direct \"auto\" --bime --b-bias 0 -w "
    "--deadzone-inter 21 --deadzone-intra 11";
inline const std::string first_pass_line =
    common +
    " -p 1 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --8x8dct -A "
    "p8x8,b8x8,i8x8,i4x4 --ipratio 1.400000 --pbratio 1.300000 -m 6 --ratetol 1.000000 "
    "--vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" "
    "2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\"";
inline const std::string second_pass_line =
    common +
    " -p 3 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --qpstep 4 "
    "--qcomp 0.600000 --ipratio 1.400000 --pbratio 1.300000 --8x8dct -A p8x8,b8x8,i8x8,i4x4 -m 6 "
    "--ratetol 1.000000 --vbv-init 0.9 --vbv-bufsize 0 --vbv-maxrate 0 -o \"C:\\video\\movie.mp4\" "
    "\"C:\\video\\movie.avs\" 2>&1|runlog.exe \"C:\\enc\\log\\movie.avs.txt\"";
inline const std::string fast_first_pass_line =
    common +
    " -p 1 --stats \"C:\\enc\\stats\\movie.avs.stat\" -B 1000 --qpmin 10 --qpmax 51 --ipratio "
    "1.400000 --pbratio 1.300000 -A p8x8,i4x4 -m 3 --ratetol 1.000000 --vbv-init 0.9 "
    "--vbv-bufsize 0 --vbv-maxrate 0 -o nul \"C:\\video\\movie.avs\" 2>&1|runlog.exe "
    "\"C:\\enc\\log\\movie.avs.txt\"";

// The line of one pass in the primitive mode `s.mode`, its input measured
// for a target size.
inline std::string pass_line(const settings::Settings& s, platform::MediaProbe& probe) {
    return commands::pass_command(s, {s.mode, s.value, false}, commands::target_rate(s, probe));
}

// Answers from a table of paths; any other path cannot be opened.
class FakeProbe final : public platform::MediaProbe {
  public:
    std::map<std::string, platform::MediaLength> media;
    int calls = 0;
    std::optional<platform::MediaLength> media_probe(const std::string& path) override {
        ++calls;
        auto it = media.find(path);
        if (it == media.end()) return std::nullopt;
        return it->second;
    }
};

} // namespace test
