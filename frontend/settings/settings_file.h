// Settings files: lines of key = value, 64 keys in a fixed order.
#pragma once

#include <string>
#include <string_view>

#include <vector>

#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace settings {

// What a load works with: the file system; the file through which the
// built-in defaults pass ("default.ini" in the program's folder); and the
// names of the AviSynth include list, in list order, which a stored
// `avsinc` chooses from. With `keep_toolchain` the fields that describe the
// installed tools keep their values ("L" and "Load Default" load an encode,
// not tools).
//
// A file that holds not one key of a settings file (empty, damaged, foreign)
// counts as absent. When `set_aside_as` is given, such a file is set aside
// (see Os::set_aside) and its new name is stored there (the old name when it
// could not be renamed). An absent file brings in the built-in defaults, or,
// without `defaults_when_absent`, leaves the settings as they are.
struct LoadContext {
    platform::Os& os;
    std::string defaults_file;
    std::vector<std::string> includes;
    bool keep_toolchain = false;
    std::string* set_aside_as = nullptr;
    bool defaults_when_absent = true;
};

enum class LoadResult {
    file,             // the requested file was read
    builtin_defaults, // it could not be opened; the built-in defaults were read
    unchanged,        // neither could be opened; the settings were kept
};

// The 403-byte built-in default text.
extern const std::string_view builtin_default_text;

// The file text save_settings writes: 64 lines, each ended by CR LF.
std::string settings_file_text(const Settings& s);

// Creates or replaces the file whole; false when it could not be written
// (Os::last_error tells why).
bool save_settings(const Settings& s, const std::string& path, platform::Os& os);

// Replaces the persisted fields from the file and applies the corrections
// after a load (corrections.h); a file that cannot be opened or holds no
// settings counts as absent. Whoever shows the settings shows them afresh
// afterwards.
LoadResult load_settings(Settings& s, const std::string& path, const LoadContext& ctx);

// Loads the built-in default text through the defaults file, which is
// deleted afterwards.
LoadResult load_builtin_defaults(Settings& s, const LoadContext& ctx);

// Whether the bytes of a file hold at least one setting.
bool holds_settings(std::string_view bytes);

// Replaces the persisted fields from the bytes of a settings file, as
// load_settings does once the file is read (whatever the bytes hold).
void load_settings_text(Settings& s, std::string bytes, const LoadContext& ctx);

} // namespace settings
