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

bool is_relative_name(std::string_view name) {
    bool drive = name.size() >= 2 && name[1] == ':' &&
                 ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return !name.empty() && name[0] != '\\' && name[0] != '/' && !drive;
}

std::string Os::file_key(std::string_view name, std::string_view folder) {
    if (name.empty()) return "";
    if (!folder.empty() && is_relative_name(name))
        return case_key(final_path(std::string(folder) + std::string(name)));
    return case_key(final_path(name));
}

std::string Os::temp_name(const std::string& target, uint32_t pid, unsigned n) {
    return target + ".~" + std::to_string(pid) + "-" + std::to_string(n);
}

namespace {

// The process ID in a temporary file's name ("NAME.~PID-N"), or nothing when
// the name is not one.
std::optional<uint32_t> writer_of(const std::string& name) {
    size_t mark = name.rfind(".~");
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    size_t dash = name.find('-', mark + 2);
    auto digits = [&](size_t from, size_t to) {
        if (from >= to || to - from > 10) return false;
        for (size_t i = from; i < to; ++i)
            if (name[i] < '0' || name[i] > '9') return false;
        return true;
    };
    if (dash == std::string::npos || !digits(mark + 2, dash) || !digits(dash + 1, name.size()))
        return std::nullopt;
    unsigned long long pid = std::stoull(name.substr(mark + 2, dash - mark - 2));
    if (pid > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(pid);
}

} // namespace

int Os::remove_stale_temp_files(const std::string& folder) {
    int removed = 0;
    for (const std::string& name : list_folder(folder + "*.~*-*")) {
        std::optional<uint32_t> pid = writer_of(name);
        if (pid && !process_exists(*pid) && delete_file(folder + name)) ++removed;
    }
    return removed;
}

bool Os::write_file(const std::string& path, std::string_view bytes) {
    return write_whole(path, bytes, true);
}

bool Os::write_new_file(const std::string& path, std::string_view bytes) {
    return write_whole(path, bytes, false);
}

} // namespace platform
