#include <dlfcn.h>

#include "library_loader.h"

namespace test {

const char* const plugin_file_name = "dsp_levo.so";
void* load_library(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* library_symbol(void* library, const char* name) {
    return dlsym(library, name);
}

} // namespace test
