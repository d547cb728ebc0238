// Settings files: lines of key = value, 64 keys in a fixed order.
#pragma once

#include <string>
#include <string_view>

#include <vector>

#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace settings {

// Whoever shows the settings hears from a load as it reads: two rules of the
// window run between groups of keys, the AviSynth include name selects an
// item of the include list, and the load ends with the corrections pass.
class LoadListener {
  public:
    virtual ~LoadListener() = default;
    // The integers up to `fastpsk` are read; `aud` is the stored one.
    virtual void audio_flag_read(const Settings& s) = 0;
    // `upstat` and `crelog` are read.
    virtual void log_flag_read(const Settings& s) = 0;
    // The items of the AviSynth include list, in list order.
    virtual std::vector<std::string> include_items() = 0;
    // Every persisted field is read: show them all and run the corrections.
    virtual void loaded(Settings& s) = 0;
};

// What a load works with: the file system, the listener, and the program's
// folder (ending in its separator), where the built-in defaults pass through
// "default.ini". With `keep_toolchain` the fields that describe the installed
// tools keep their values ("L" and "Load Default" load an encode, not tools).
//
// A file that holds not one key of a settings file (empty, damaged, foreign)
// counts as absent. When `set_aside_as` is given, such a file is set aside
// (see Os::set_aside) and its new name is stored there (the old name when it
// could not be renamed). An absent file brings in the built-in defaults, or,
// without `defaults_when_absent`, leaves the settings as they are.
struct LoadContext {
    platform::Os& os;
    LoadListener& listener;
    std::string program_folder;
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

// Replaces the persisted fields from the file and runs the post-load pass;
// a file that cannot be opened or holds no settings counts as absent.
LoadResult load_settings(Settings& s, const std::string& path, const LoadContext& ctx);

// Loads the built-in default text through "default.ini" in the program's
// folder, which is deleted afterwards.
LoadResult load_builtin_defaults(Settings& s, const LoadContext& ctx);

// Whether the bytes of a file hold at least one setting.
bool holds_settings(std::string_view bytes);

// Replaces the persisted fields from the bytes of a settings file and tells
// the listener, as load_settings does once the file is read (whatever the
// bytes hold).
void load_settings_text(Settings& s, std::string bytes, const LoadContext& ctx);

} // namespace settings
