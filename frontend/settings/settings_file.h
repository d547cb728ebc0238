// Settings files: lines of key = value, 64 keys in a fixed order.
#pragma once

#include <string>
#include <string_view>

#include "frontend/settings/settings.h"
#include "frontend/ui/control_view.h"
#include "platform/os.h"

namespace settings {

// What a load works with: the file system, the window's side of the
// control-state rules, and the program's folder (ending in its separator),
// where the built-in defaults pass through "default.ini".
struct LoadContext {
    platform::Os& os;
    ui::ControlView& view;
    std::string program_folder;
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

// Creates or replaces the file; false when it could not be written.
bool save_settings(const Settings& s, const std::string& path, platform::Os& os);

// Replaces the persisted fields from the file and runs the post-load pass;
// a file that cannot be opened brings in the built-in defaults instead.
LoadResult load_settings(Settings& s, const std::string& path, const LoadContext& ctx);

// Loads the built-in default text through "default.ini" in the program's
// folder, which is deleted afterwards.
LoadResult load_builtin_defaults(Settings& s, const LoadContext& ctx);

// Replaces the persisted fields from the bytes of a settings file and runs
// the post-load pass, as load_settings does once the file is read.
void load_settings_text(Settings& s, std::string bytes, const LoadContext& ctx);

// The corrections after every load: mirrors, control-state rules and clamps
// in their fixed order.
void post_load_pass(Settings& s, ui::ControlView& view);

} // namespace settings
