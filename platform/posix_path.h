// The names the front end makes are Windows-style; on POSIX a backslash
// separates folders as a slash does.
#pragma once

#include <algorithm>
#include <string>

namespace platform {

inline std::string native_path(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace platform
