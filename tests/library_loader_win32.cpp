#include <windows.h>

#include "library_loader.h"

namespace test {

const char* const plugin_file_name = "dsp_levo.dll";
void* load_library(const std::string& path) {
    return LoadLibraryA(path.c_str());
}
void* library_symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace test
