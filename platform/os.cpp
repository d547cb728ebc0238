#include "platform/os.h"

namespace platform {

bool Os::write_whole(const std::string& path, std::string_view bytes, bool replace) {
    std::optional<TempFile> temp = create_temp(path);
    if (!temp) return false;
    if (!write_temp(*temp, bytes) || !commit_temp(*temp, path, replace)) {
        discard_temp(*temp);
        return false;
    }
    return true;
}

std::optional<std::string> Os::set_aside(const std::string& path) {
    for (int n = 1; n <= 1000; ++n) {
        std::string name = path + ".unreadable" + (n == 1 ? "" : "-" + std::to_string(n));
        if (file_exists(name)) continue;
        if (rename_new(path, name)) return name;
        if (!file_exists(name)) return std::nullopt; // not taken by another: a real failure
    }
    return std::nullopt;
}

bool Os::write_file(const std::string& path, std::string_view bytes) {
    return write_whole(path, bytes, true);
}

bool Os::write_new_file(const std::string& path, std::string_view bytes) {
    return write_whole(path, bytes, false);
}

} // namespace platform
