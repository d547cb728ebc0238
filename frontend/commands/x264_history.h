// What x264 builds take, from x264's history: which options of the lines a
// build refuses, so that the lines can be fitted to the x264 in use.
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

} // namespace commands
