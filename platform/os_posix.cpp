// POSIX implementation of the platform services. Generated names are
// Windows-style, so a backslash is taken as a folder separator like a slash.
// Each failing call keeps its errno for last_error().
#include "platform/os.h"

#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <locale.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/posix_path.h"

namespace platform {
namespace {

// The UTF-8 bytes of one character.
void append_utf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character that starts at `at` and its length in bytes; a byte that
// begins no well-formed character stands for itself (length 1, no value).
std::pair<std::optional<uint32_t>, size_t> utf8_at(std::string_view text, size_t at) {
    unsigned char b = static_cast<unsigned char>(text[at]);
    size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size()) return {std::nullopt, 1};
    uint32_t c = length == 1 ? b : b & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next >> 6) != 2) return {std::nullopt, 1};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length};
}

// A name's folders resolved by their names alone, with "\\" read as "/":
// "." dropped, ".." takes the folder before it (never above the root or a
// drive), trailing dots and spaces dropped from each part as Windows drops
// them, and repeated separators read as one.
std::string lexical_path(const std::string& name) {
    std::string text = native_path(name);
    // "\\?\\C:\\x" and "\\?\\UNC\\server\\x" name what "C:\\x" and
    // "\\\\server\\x" name.
    if (text.rfind("//?/UNC/", 0) == 0)
        text = "//" + text.substr(8);
    else if (text.rfind("//?/", 0) == 0)
        text = text.substr(4);
    const bool rooted = !text.empty() && text[0] == '/';
    std::vector<std::string> parts;
    size_t keep = 0; // parts ".." cannot take: a drive ("C:")
    for (size_t at = 0; at <= text.size();) {
        size_t end = text.find('/', at);
        if (end == std::string::npos) end = text.size();
        std::string part = text.substr(at, end - at);
        at = end + 1;
        if (part != "." && part != "..")
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.size() > keep) parts.pop_back();
            continue;
        }
        if (parts.empty() && !rooted && part.size() == 2 && part[1] == ':') keep = 1;
        parts.push_back(part);
    }
    std::string out = rooted ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "/" : "") + parts[i];
    return out;
}

std::string folder_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
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
        return ::mkdir(native_path(path).c_str(), 0777) == 0 || fail();
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
        if (fd < 0) {
            fail();
            return std::nullopt;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            error_ = EISDIR;
            ::close(fd);
            return std::nullopt;
        }
        std::string data;
        data.reserve(static_cast<size_t>(st.st_size));
        char buf[65536];
        for (;;) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                fail();
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0) break;
            data.append(buf, static_cast<size_t>(n));
        }
        ::close(fd);
        return data;
    }

    std::optional<std::string> read_part(const std::string& path, int64_t offset,
                                         size_t size) override {
        int fd = ::open(native_path(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            fail();
            return std::nullopt;
        }
        std::string data(size, '\0');
        size_t got = 0;
        while (got < size) {
            ssize_t n =
                ::pread(fd, data.data() + got, size - got, static_cast<off_t>(offset) + got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                fail();
                ::close(fd);
                return std::nullopt;
            }
            if (n == 0) break;
            got += static_cast<size_t>(n);
        }
        ::close(fd);
        data.resize(got);
        return data;
    }

    bool rename_new(const std::string& from, const std::string& to) override {
        // A hard link takes only a free name; then the old name goes.
        std::string a = native_path(from), b = native_path(to);
        if (::link(a.c_str(), b.c_str()) != 0) return fail();
        return ::unlink(a.c_str()) == 0 || fail();
    }

    bool delete_file(const std::string& path) override {
        return ::unlink(native_path(path).c_str()) == 0 || fail();
    }

    bool file_exists(const std::string& path) override {
        struct stat st {};
        return ::stat(native_path(path).c_str(), &st) == 0;
    }

    std::optional<FileInfo> file_info(const std::string& path) override {
        struct stat st {};
        if (::stat(native_path(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
        return FileInfo{static_cast<int64_t>(st.st_size), static_cast<int64_t>(st.st_mtime)};
    }

    int64_t now() override { return static_cast<int64_t>(::time(nullptr)); }

    // UTF-8 is this platform's own narrow encoding, for files and the shell.
    std::string utf8_to_ansi(std::string_view utf8) override { return std::string(utf8); }
    std::vector<uint32_t> ansi_lacks(std::string_view) override { return {}; }
    std::optional<std::string> ansi_to_console(std::string_view ansi) override {
        return std::string(ansi);
    }

    std::string final_path(std::string_view name) override {
        std::string path(name);
        if (is_relative_name(path)) {
            char here[4096];
            if (getcwd(here, sizeof here)) path = std::string(here) + "/" + path;
        }
        path = lexical_path(path);
        // The real path of the longest part that exists, then the rest.
        std::string rest;
        for (std::string part = path; !part.empty() && part != "/";) {
            if (char* real = ::realpath(part.c_str(), nullptr)) {
                std::string found = real;
                std::free(real);
                return found + rest;
            }
            size_t cut = part.rfind('/');
            if (cut == std::string::npos) break;
            rest = part.substr(cut) + rest;
            part.resize(cut);
        }
        return path;
    }

    std::string case_key(std::string_view name) override {
        static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        std::string key;
        key.reserve(name.size());
        for (size_t at = 0; at < name.size();) {
            auto [c, length] = utf8_at(name, at);
            if (!c)
                key += name[at];
            else
                append_utf8(key,
                            utf8 ? static_cast<uint32_t>(towupper_l(static_cast<wint_t>(*c), utf8))
                                 : (*c >= 'a' && *c <= 'z' ? *c - 32 : *c));
            at += length;
        }
        return key;
    }

    size_t longest_path() override { return 4095; }

    bool process_exists(uint32_t pid) override {
        return pid != 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
    }

    unsigned processors() override {
        long n = ::sysconf(_SC_NPROCESSORS_ONLN);
        return n > 0 ? static_cast<unsigned>(n) : 1;
    }

    std::string last_error() override { return std::strerror(error_); }

    std::optional<TempFile> create_temp(const std::string& target) override {
        std::string base = native_path(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string path = temp_name(base, static_cast<uint32_t>(::getpid()), ++temp_count_);
            int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd >= 0) return TempFile{path, fd};
            if (errno != EEXIST) break;
        }
        fail();
        return std::nullopt;
    }

    bool write_temp(TempFile& file, std::string_view bytes) override {
        while (!bytes.empty()) {
            ssize_t n = ::write(static_cast<int>(file.handle), bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return fail();
            if (n == 0) { // nothing more fits
                error_ = ENOSPC;
                return false;
            }
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    bool commit_temp(TempFile& file, const std::string& target, bool replace) override {
        int fd = static_cast<int>(file.handle);
        bool synced = ::fsync(fd) == 0 || fail();
        bool closed = ::close(fd) == 0 || fail();
        file.handle = -1;
        if (!synced || !closed) return false;
        std::string to = native_path(target);
        if (replace) {
            if (::rename(file.path.c_str(), to.c_str()) != 0) return fail();
        } else {
            if (::link(file.path.c_str(), to.c_str()) != 0) return fail();
            ::unlink(file.path.c_str());
        }
        // The new name itself reaches the disk with its folder.
        int dir = ::open(folder_of(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }

    void discard_temp(TempFile& file) override {
        if (file.handle != -1) ::close(static_cast<int>(file.handle));
        file.handle = -1;
        ::unlink(file.path.c_str());
    }

  private:
    // Keeps the error of the call that failed; always false.
    bool fail() {
        error_ = errno;
        return false;
    }

    int error_ = 0;
    unsigned temp_count_ = 0;
};

} // namespace

Os& native_os() {
    static PosixOs os;
    return os;
}

} // namespace platform
