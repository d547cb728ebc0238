// What x264 builds take, from x264's history: which options of the lines a
// build refuses, and what it reads and writes as its help text states it,
// so that the lines can be fitted to the x264 in use.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace commands {

// The build number in what `x264 --version` prints ("x264 0.164.3095
// baee400" gives 3095); nothing when the text holds none.
std::optional<int> x264_build(const std::string& version_output);

// The options of one script line's x264 call that the build refuses, each
// once, in the order they first appear; empty for a line that calls no x264
// (a disabled line among them).
std::vector<std::string> refused_options(const std::string& line, int build);

// What a build can read and write, as `x264 --help` states it (each ability
// since the build that first named it in its help; nothing: not stated):
//   .mp4 -> MP4 if compiled with GPAC or L-SMASH support (gpac|lsmash|no)
//   or Avisynth if compiled with support (yes|no).
//   or libav* formats if compiled with lavf support (yes|no) or ffms support (yes|no).
struct X264Abilities {
    std::optional<bool> mp4_output, avisynth_input, lavf_input, ffms_input;
    bool operator==(const X264Abilities& o) const {
        return mp4_output == o.mp4_output && avisynth_input == o.avisynth_input &&
               lavf_input == o.lavf_input && ffms_input == o.ffms_input;
    }
};
X264Abilities x264_abilities(const std::string& help_output);

// The abilities as the settings keep them with the build they belong to
// ("3095 mp4=no avisynth=yes lavf=no ffms=no"; "?" for one not stated), and
// back; nothing when the text is of another build or no such text.
std::string abilities_text(int build, const X264Abilities& abilities);
std::optional<X264Abilities> abilities_of(const std::string& text, int build);

// Whether the build writes no MP4 file: derived outputs are then Matroska
// files. Only a build that says so; one that says nothing writes MP4.
bool writes_no_mp4(const X264Abilities& abilities);

// Whether x264 itself reads an input, when it opens its inputs itself: with
// neither lavf nor ffms it reads .y4m, raw .yuv whose name gives its size
// (clip_640x480.yuv) and, with AviSynth, .avs scripts. A build that states
// nothing is taken to read anything.
bool reads_input(const X264Abilities& abilities, const std::string& input);
// What such a build reads, for the user: "only .y4m files, raw .yuv files
// named with their size (such as clip_640x480.yuv) and AviSynth scripts".
std::string what_it_reads(const X264Abilities& abilities);

} // namespace commands
