// toolenv for POSIX systems: the same batch file, for scripts handed on to
// a Windows command interpreter (wine's, for instance).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "tools/toolenv/toolenv.h"

namespace {

bool write_file(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out << text) && static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char** argv) {
    char path[4096] = {};
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, n > 0 ? static_cast<size_t>(n) : 0);
    std::string folder = exe.substr(0, exe.find_last_of('/'));
    struct stat st {};
    bool has_tools = stat((folder + "/tools").c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return toolenv::run({argv + 1, argv + argc}, {folder, has_tools, write_file}, stderr);
}
