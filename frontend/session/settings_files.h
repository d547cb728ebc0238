// The settings files of a program folder: how they are read and written,
// what happens to one that holds no settings, and how the built-in defaults
// come in (through default.ini, or from memory where it cannot be written).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frontend/settings/settings.h"
#include "platform/os.h"

namespace session {

// Where a load takes what it needs besides its file: the file layer, the
// file the built-in defaults pass through ("default.ini" in the program's
// folder), and the include list a stored `avsinc` chooses from.
struct SettingsFolder {
    platform::Os& os;
    std::string defaults_file;
    std::vector<std::string> includes;
};

// What a load does beyond reading its file. "L" and "Load Default" keep the
// toolchain's fields; "L" of a file that is not there loads nothing.
struct LoadOptions {
    bool keep_toolchain = false;
    bool defaults_when_absent = true;
    bool set_aside = true; // a file that holds no settings is set aside
};

enum class LoadResult {
    file,             // the requested file was read
    builtin_defaults, // it could not be opened or held no settings: the defaults were read
    unchanged,        // nothing was read
};

struct Loaded {
    LoadResult result;
    // A file that held not one setting (empty, damaged, foreign) counts as
    // absent and is set aside (Os::set_aside): its new name, or its old one
    // when it could not be renamed.
    std::optional<std::string> set_aside_as;
};

// Loads a settings file, read whole. A file that cannot be opened, or holds
// no settings, brings in the built-in defaults (unless the options say
// not); the corrections after a load are applied either way.
Loaded load_settings(settings::Settings& s, const std::string& path, const SettingsFolder& folder,
                     const LoadOptions& options = {});

// The built-in default text through the defaults file, which is written,
// read and deleted; when it cannot be written (a read-only program folder)
// the text is read from memory, so the defaults always come in.
LoadResult load_builtin_defaults(settings::Settings& s, const SettingsFolder& folder,
                                 const LoadOptions& options = {});

// Loads the bytes of a settings file that the caller read and checked
// (holds_settings), so the file is read once.
void load_settings_bytes(settings::Settings& s, const std::string& bytes,
                         const SettingsFolder& folder);

// Creates or replaces the file whole; false when it could not be written
// (Os::last_error tells why).
bool save_settings(const settings::Settings& s, const std::string& path, platform::Os& os);

} // namespace session
