// Settings files: any bytes load (with the corrections after a load), and
// what a save writes then loads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/session/settings_files.h"
#include "frontend/settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const session::SettingsFolder folder{
        platform::native_os(), "/nonexistent/default.ini", {"deint", "sharpen"}};
    settings::Settings s;
    session::load_settings_bytes(s, std::string(reinterpret_cast<const char*>(data), size), folder);
    const std::string first = settings::settings_file_text(s);
    settings::Settings again;
    session::load_settings_bytes(again, first, folder);
    if (settings::settings_file_text(again) != first) std::abort();
    return 0;
}
