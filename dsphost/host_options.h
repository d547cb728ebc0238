// dsphost's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dsphost {

struct Options {
    std::string plugin; // empty: dsp_levo.so beside dsphost
    int frames = 576;   // frames per block, as players hand them over
    std::string in, out;
};

// The options, or nothing with `error` set to one line saying what is wrong.
std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error);

extern const char usage[];

} // namespace dsphost
