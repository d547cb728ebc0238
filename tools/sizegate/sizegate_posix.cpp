// sizegate for POSIX systems: "sizegate LOWER UPPER FILE"; the answer is the
// exit code. The file is only looked at, never opened for writing.
#include <sys/stat.h>

#include "tools/params/command_line.h"
#include "tools/sizegate/size_limits.h"

namespace {

bool file_size(const std::string& name, int64_t& size) {
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    size = static_cast<int64_t>(st.st_size);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> params(argv + 1, argv + argc);
    return sizegate::run(tools::parameter(params, 1), tools::parameter(params, 2),
                         tools::parameter(params, 3), file_size);
}
