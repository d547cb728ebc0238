// What the plug-in needs from the operating system: its profile file, the
// desktop's size and the dialog window. One implementation per platform.
#pragma once

#include <cstdint>
#include <string>

struct PluginModule;

namespace levo::os {

// One integer key of section "levoria" in the profile file, or `fallback`.
int32_t read_profile_int(const char* key, int32_t fallback);
// Writes one key as text; failures are ignored.
void write_profile_string(const char* key, const std::string& value);
// Where the profile lives ("C:\levoria.ini" on Windows).
std::string profile_path();

struct Rect {
    int32_t left, top, right, bottom;
};
Rect desktop_rect();

// The configuration dialog; null where there is none.
void* create_dialog(PluginModule* module);
void show_dialog(void* dialog);
bool dialog_rect(void* dialog, Rect& r);
void destroy_dialog(void* dialog);

} // namespace levo::os
