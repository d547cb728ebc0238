// Loading a shared library the way a host does (dlopen, LoadLibrary).
#pragma once

#include <string>

#include "plugin/plugin_abi.h"

namespace test {

extern const char* const plugin_file_name; // dsp_levo.so or dsp_levo.dll
void* load_library(const std::string& path);
void* library_symbol(void* library, const char* name);

// What a host does before initialising a DSP plug-in: load the library from
// `folder`, get the header through the export, take module 0 and fill in its
// parent window (none) and instance. Null header or module when that fails.
struct LoadedPlugin {
    PluginHeader* header = nullptr;
    PluginModule* module = nullptr;
};
inline LoadedPlugin load_plugin(const std::string& folder) {
    LoadedPlugin p;
    void* lib = load_library(folder + plugin_file_name);
    auto get_header =
        lib ? reinterpret_cast<HeaderGetter>(library_symbol(lib, "winampDSPGetHeader2")) : nullptr;
    p.header = get_header ? get_header() : nullptr;
    p.module = p.header ? p.header->getModule(0) : nullptr;
    if (p.module) {
        p.module->parentWindow = nullptr;
        p.module->instance = lib;
    }
    return p;
}

} // namespace test
