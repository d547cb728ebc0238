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

} // namespace

std::string batch_text(const std::string& folder, bool has_tools_folder) {
    std::string f = batch_name(folder);
    return "@set \"PATH=" + f + ";" + (has_tools_folder ? f + "\\tools;" : "") + "%PATH%\"\r\n";
}

int run(const std::vector<std::string>& params, const System& system, std::FILE* err) {
    if (params.size() != 1 || params[0] != "run") {
        std::fprintf(err, "toolenv: %s\n", usage);
        return 2;
    }
    if (!system.write_file("toolenv.bat", batch_text(system.folder, system.has_tools_folder))) {
        std::fprintf(err, "toolenv: cannot write toolenv.bat in the current folder\n");
        return 1;
    }
    return 0;
}

} // namespace toolenv
