// Loading a shared library the way a host does (dlopen, LoadLibrary).
#pragma once

#include <string>

namespace test {

extern const char* const plugin_file_name; // dsp_levo.so or dsp_levo.dll
void* load_library(const std::string& path);
void* library_symbol(void* library, const char* name);

} // namespace test
