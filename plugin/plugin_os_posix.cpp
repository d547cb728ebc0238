// The plug-in's system services on POSIX systems: the profile is
// levoria.ini in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config); there is no dialog manager, so there is no dialog.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "plugin/plugin_os.h"
#include "plugin/profile_text.h"

namespace levo::os {

namespace {

const char section[] = "levoria";

std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string profile_path() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::string(xdg) + "/levoria.ini";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/levoria.ini";
}

int32_t read_profile_int(const char* key, int32_t fallback) {
    return profile_int(read_all(profile_path()), section, key, fallback);
}

void write_profile_string(const char* key, const std::string& value) {
    std::string path = profile_path();
    ::mkdir(path.substr(0, path.find_last_of('/')).c_str(), 0777); // ~/.config may not exist yet
    std::string text = with_profile_value(read_all(path), section, key, value);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

Rect desktop_rect() {
    return {0, 0, INT32_MAX, INT32_MAX};
} // no desktop to leave

void* create_dialog(PluginModule*) {
    return nullptr;
}
void show_dialog(void*) {}
bool dialog_rect(void*, Rect&) {
    return false;
}
void destroy_dialog(void*) {}

} // namespace levo::os
