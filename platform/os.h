// The operating-system services the front end and its command-line tools use.
// One implementation per platform (os_win32.cpp, os_posix.cpp); tests swap in
// their own to inject failures and a fixed clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file's size in bytes and the time it was last written, in seconds since
// 1970 (the clock of Os::now).
struct FileInfo {
    int64_t size;
    int64_t modified;
};

// Whether a name is relative to a folder: neither rooted ("\\x", "/x") nor
// on a drive ("C:...").
bool is_relative_name(std::string_view name);

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
    // Up to `size` bytes from `offset` on (fewer at the file's end); nothing
    // when the file cannot be opened or read there.
    virtual std::optional<std::string> read_part(const std::string& path, int64_t offset,
                                                 size_t size) = 0;

    // Writes the whole file or nothing: the bytes go into a temporary file in
    // the same folder, which then takes the file's place, so a write that
    // fails or is cut short leaves the old file as it was. False on failure,
    // and last_error() tells why.
    bool write_file(const std::string& path, std::string_view bytes);
    // The same, but only when no file of that name exists; false when one does.
    bool write_new_file(const std::string& path, std::string_view bytes);

    // Gives a file a name that no file has; false when one has it or the
    // file cannot be renamed.
    virtual bool rename_new(const std::string& from, const std::string& to) = 0;
    // Sets a damaged file aside: it takes the first free name of
    // "NAME.unreadable", "NAME.unreadable-2", ... (never one a file has).
    // The new name, or nothing when it cannot be renamed.
    std::optional<std::string> set_aside(const std::string& path);

    virtual bool delete_file(const std::string& path) = 0;
    virtual bool file_exists(const std::string& path) = 0;
    // Size and time of last write; nothing for a missing file or a folder.
    virtual std::optional<FileInfo> file_info(const std::string& path) = 0;
    // Now, in seconds since 1970.
    virtual int64_t now() = 0;

    // Turns UTF-8 text into the single-byte text the program works in.
    virtual std::string utf8_to_ansi(std::string_view utf8) = 0;
    // The characters (Unicode code points) of the UTF-8 text that the
    // single-byte text cannot hold, each once, in order; empty when it holds
    // them all.
    virtual std::vector<uint32_t> ansi_lacks(std::string_view utf8) = 0;
    // The single-byte text in the console's code page, which the command
    // interpreter reads batch files in; nothing when a character has no
    // place there.
    virtual std::optional<std::string> ansi_to_console(std::string_view ansi) = 0;

    // A name as the file system compares names: in one letter case, by the
    // system's own folding (Windows: the table CompareStringOrdinal ignores
    // case by; elsewhere the Unicode case of each UTF-8 character). Two names
    // are the same file name when their keys are equal.
    virtual std::string case_key(std::string_view name) = 0;
    // The full, final path of a name as the system opens it: "." and ".."
    // resolved, "/" read as "\\" does, the trailing dots and spaces that
    // Windows drops dropped, a "\\?\\" prefix dropped, short (8.3) names
    // made long where the file or its folder exists (elsewhere: the real
    // path of the part that exists). Relative names are taken from the
    // current folder.
    virtual std::string final_path(std::string_view name) = 0;
    // The key of the file a name points to, for telling whether two names
    // are one file: case_key of the final path; a relative name is taken
    // from `folder` (ending in its separator) when one is given.
    std::string file_key(std::string_view name, std::string_view folder = "");
    // The longest path, in characters, that the system's programs open.
    virtual size_t longest_path() = 0;

    // Whether a process with this ID runs now.
    virtual bool process_exists(uint32_t pid) = 0;
    // How many processors this process may run on; at least 1.
    virtual unsigned processors() = 0;
    // Removes the temporary files that whole-file writes left in `folder`
    // (ending in its separator) when their process was killed: names of the
    // pattern temp_name() gives whose process no longer runs. The number
    // removed.
    int remove_stale_temp_files(const std::string& folder);

    // The system's words for why the last call above failed.
    virtual std::string last_error() = 0;

    // The steps of a whole-file write (write_file and write_new_file).
    struct TempFile {
        std::string path;
        intptr_t handle = -1;
    };
    // Creates an empty temporary file in the folder of `target`.
    virtual std::optional<TempFile> create_temp(const std::string& target) = 0;
    // Writes every byte; a short write (a full disk) is a failure.
    virtual bool write_temp(TempFile& file, std::string_view bytes) = 0;
    // Flushes the file to the disk, closes it and gives it the name
    // `target`, replacing a file of that name only when `replace`.
    virtual bool commit_temp(TempFile& file, const std::string& target, bool replace) = 0;
    // Closes and deletes it; last_error() keeps the failure that led here.
    virtual void discard_temp(TempFile& file) = 0;

  protected:
    // The name of the n-th temporary file this process writes for `target`:
    // "TARGET.~PID-N".
    static std::string temp_name(const std::string& target, uint32_t pid, unsigned n);

  private:
    bool write_whole(const std::string& path, std::string_view bytes, bool replace);
};

// The implementation for the platform this program was built for.
Os& native_os();

} // namespace platform
