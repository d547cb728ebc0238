#include "frontend/session/settings_files.h"

#include "frontend/settings/settings_file.h"

namespace session {

namespace {

// The text of a file's bytes in the program's code page.
std::string decoded(const std::string& bytes, platform::Os& os) {
    if (settings::is_utf8_file(bytes)) return os.utf8_to_ansi(std::string_view(bytes).substr(3));
    return bytes;
}

void apply(settings::Settings& s, const std::string& bytes, const SettingsFolder& folder,
           bool keep_toolchain) {
    settings::apply_settings_text(s, decoded(bytes, folder.os), folder.includes, keep_toolchain);
}

} // namespace

Loaded load_settings(settings::Settings& s, const std::string& path, const SettingsFolder& folder,
                     const LoadOptions& options) {
    Loaded loaded{LoadResult::unchanged, std::nullopt};
    if (std::optional<std::string> bytes = folder.os.read_file(path)) {
        if (settings::holds_settings(*bytes)) {
            apply(s, *bytes, folder, options.keep_toolchain);
            loaded.result = LoadResult::file;
            return loaded;
        }
        if (options.set_aside) loaded.set_aside_as = folder.os.set_aside(path).value_or(path);
    }
    if (options.defaults_when_absent) loaded.result = load_builtin_defaults(s, folder, options);
    return loaded;
}

LoadResult load_builtin_defaults(settings::Settings& s, const SettingsFolder& folder,
                                 const LoadOptions& options) {
    platform::Os& os = folder.os;
    const std::string text(settings::builtin_default_text);
    // Written whole, so no earlier default.ini leaves anything behind; read
    // back once, and never again through any fallback.
    std::optional<std::string> bytes;
    if (os.write_file(folder.defaults_file, text)) {
        bytes = os.read_file(folder.defaults_file);
        os.delete_file(folder.defaults_file);
    }
    apply(s, bytes && settings::holds_settings(*bytes) ? *bytes : text, folder,
          options.keep_toolchain);
    return LoadResult::builtin_defaults;
}

void load_settings_bytes(settings::Settings& s, const std::string& bytes,
                         const SettingsFolder& folder) {
    apply(s, bytes, folder, false);
}

bool save_settings(const settings::Settings& s, const std::string& path, platform::Os& os) {
    return os.write_file(path, settings::settings_file_text(s));
}

} // namespace session
