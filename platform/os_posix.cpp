// POSIX implementation of the platform services. Generated names are
// Windows-style, so a backslash is taken as a folder separator like a slash.
#include "platform/os.h"

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

std::string native_path(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool write_with_flags(const std::string& path, std::string_view bytes, int flags) {
    int fd = ::open(native_path(path).c_str(), flags | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes);
    return ::close(fd) == 0 && ok;
}

class PosixOs final : public Os {
  public:
    std::string program_folder() override {
        std::string buf(4096, '\0');
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
        if (n <= 0) return "./";
        buf.resize(static_cast<size_t>(n));
        return buf.substr(0, buf.find_last_of('/') + 1);
    }

    bool create_folder(const std::string& path) override {
        return ::mkdir(native_path(path).c_str(), 0777) == 0;
    }

    std::vector<std::string> list_folder(const std::string& pattern) override {
        std::string p = native_path(pattern);
        size_t slash = p.find_last_of('/');
        std::string folder = slash == std::string::npos ? "." : p.substr(0, slash + 1);
        std::string mask = slash == std::string::npos ? p : p.substr(slash + 1);
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return names;
        while (dirent* e = ::readdir(dir)) {
            std::string name = e->d_name;
            struct stat st {};
            if (::stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            if (::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0) names.push_back(name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::optional<std::string> read_file(const std::string& path) override {
        int fd = ::open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return std::nullopt;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            ::close(fd);
            return std::nullopt;
        }
        std::string data;
        char buf[65536];
        for (;;) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0) break;
            data.append(buf, static_cast<size_t>(n));
        }
        ::close(fd);
        return data;
    }

    bool write_file(const std::string& path, std::string_view bytes) override {
        return write_with_flags(path, bytes, O_CREAT | O_TRUNC);
    }

    bool write_new_file(const std::string& path, std::string_view bytes) override {
        return write_with_flags(path, bytes, O_CREAT | O_EXCL);
    }

    bool overwrite_start(const std::string& path, std::string_view bytes) override {
        return write_with_flags(path, bytes, O_CREAT);
    }

    bool delete_file(const std::string& path) override {
        return ::unlink(native_path(path).c_str()) == 0;
    }

    bool file_exists(const std::string& path) override {
        struct stat st {};
        return ::stat(native_path(path).c_str(), &st) == 0;
    }

    // UTF-8 is this platform's own narrow encoding.
    std::string utf8_to_ansi(std::string_view utf8) override { return std::string(utf8); }

    std::string last_error() override { return std::strerror(errno); }
};

} // namespace

Os& native_os() {
    static PosixOs os;
    return os;
}

} // namespace platform
