#include <cstdio>

#include "tools/toolenv/toolenv.h"

namespace toolenv {

namespace {

// The command interpreter expands "%" in a batch file; a folder's own "%"
// is written doubled.
std::string batch_name(const std::string& name) {
    std::string out;
    for (char c : name) out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

// A name that is a file in the current folder and nothing else.
bool plain_name(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    for (char c : name) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letter && c != '-' && c != '_') return false;
    }
    return true;
}

} // namespace

std::string batch_text(const std::string& folder, bool has_tools_folder) {
    std::string f = batch_name(folder);
    return "@set \"PATH=" + f + ";" + (has_tools_folder ? f + "\\tools;" : "") + "%PATH%\"\r\n";
}

int run(const std::vector<std::string>& params, const System& system, std::FILE* err) {
    if (params.empty() || params.size() > 2 || params[0] != "run" ||
        (params.size() == 2 && !plain_name(params[1]))) {
        std::fprintf(err, "toolenv: %s\n", usage);
        return 2;
    }
    const std::string name = (params.size() == 2 ? params[1] : "toolenv") + ".bat";
    if (!system.write_file(name, batch_text(system.folder, system.has_tools_folder))) {
        std::fprintf(err, "toolenv: cannot write %s in the current folder\n", name.c_str());
        return 1;
    }
    return 0;
}

} // namespace toolenv
