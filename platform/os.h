// The operating-system services the front end and its command-line tools use.
// One implementation per platform (os_win32.cpp, os_posix.cpp); tests swap in
// their own to inject failures.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Os {
  public:
    virtual ~Os() = default;

    // Folder part of the running program's own path, ending in its separator.
    virtual std::string program_folder() = 0;

    // Creates one folder; false when it exists already or cannot be made.
    virtual bool create_folder(const std::string& path) = 0;

    // File names (without folder) matching a pattern such as "C:\dir\*.ini",
    // whose last component may hold the wildcards * and ?.
    virtual std::vector<std::string> list_folder(const std::string& pattern) = 0;

    // The whole file, or nothing when it cannot be opened for reading.
    virtual std::optional<std::string> read_file(const std::string& path) = 0;

    // Creates the file, replacing any existing one, and writes the bytes.
    virtual bool write_file(const std::string& path, std::string_view bytes) = 0;

    // Creates the file with the bytes only when no file of that name exists;
    // false when one does or it cannot be written.
    virtual bool write_new_file(const std::string& path, std::string_view bytes) = 0;

    // Opens the file for reading and writing, creating it when missing but
    // never truncating it, and writes the bytes at its start.
    virtual bool overwrite_start(const std::string& path, std::string_view bytes) = 0;

    virtual bool delete_file(const std::string& path) = 0;
    virtual bool file_exists(const std::string& path) = 0;

    // Turns UTF-8 text into the single-byte text the program works in.
    virtual std::string utf8_to_ansi(std::string_view utf8) = 0;

    // The system's words for why the last call above failed.
    virtual std::string last_error() = 0;
};

// The implementation for the platform this program was built for.
Os& native_os();

} // namespace platform
