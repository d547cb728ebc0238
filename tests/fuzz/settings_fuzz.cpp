// Settings files: any bytes load (with the corrections after a load), and
// what a save writes then loads back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    settings::LoadContext ctx{
        platform::native_os(), "/nonexistent/default.ini", {"deint", "sharpen"}};
    settings::Settings s;
    settings::load_settings_text(s, std::string(reinterpret_cast<const char*>(data), size), ctx);
    const std::string first = settings::settings_file_text(s);
    settings::Settings again;
    settings::load_settings_text(again, first, ctx);
    if (settings::settings_file_text(again) != first) std::abort();
    return 0;
}
