// toolenv run [NAME]: writes "toolenv.bat" (or "NAME.bat") into the current
// folder; a script that calls it finds the programs of toolenv's own folder,
// and of a "tools" folder inside it when there is one, before any other on
// the search path. Scripts that run at once each name a file of their own.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace toolenv {

// The batch file's text for toolenv's folder (without a final separator).
std::string batch_text(const std::string& folder, bool has_tools_folder);

struct System {
    std::string folder;    // toolenv's own folder, without a final separator
    bool has_tools_folder; // whether `folder` holds a folder "tools"
    // Creates or replaces a file in the current folder; false on failure.
    bool (*write_file)(const std::string& name, const std::string& text);
};

constexpr const char* usage = "usage: toolenv run [NAME]";

// The whole tool: exit code 0, 1 when the file cannot be written, 2 for
// parameters other than "run" and a NAME of letters, digits, "-" and "_";
// one line on `err` for either failure.
int run(const std::vector<std::string>& params, const System& system, std::FILE* err);

} // namespace toolenv
