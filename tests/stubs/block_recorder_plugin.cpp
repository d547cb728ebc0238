// A DSP plug-in for testing hosts: records the size of every block it gets
// (one line each, into the file named by BLOCK_RECORD) and stamps each
// block's first value with its number, so the output shows the blocks' order.
#include <cstdio>
#include <cstdlib>

#include "plugin/plugin_abi.h"

namespace {

int blocks = 0;

void config(PluginModule*) {}
int32_t init(PluginModule*) {
    return 0;
}
int32_t process(PluginModule*, short* samples, int32_t frames, int32_t, int32_t, int32_t) {
    if (const char* path = std::getenv("BLOCK_RECORD")) {
        if (std::FILE* f = std::fopen(path, "a")) {
            std::fprintf(f, "%d\n", frames);
            std::fclose(f);
        }
    }
    if (frames > 0) samples[0] = static_cast<short>(++blocks % 100);
    return frames;
}
void quit(PluginModule*) {}

PluginModule module = {"block recorder", nullptr, nullptr, config, init, process, quit, nullptr};
PluginModule* get_module(int32_t index) {
    return index == 0 ? &module : nullptr;
}
PluginHeader header = {0x20, "block recorder", get_module};

} // namespace

extern "C" __attribute__((visibility("default"))) PluginHeader* winampDSPGetHeader2() {
    return &header;
}
