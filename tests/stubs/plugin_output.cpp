// Runs fixed signals through a build of the plug-in as a host would, so that
// the builds (the .so, the 64-bit and the 32-bit DLL) can be compared byte
// for byte:
//   plugin_output PLUGIN_FOLDER CASE OUT_FILE
// CASE 0 to 3 chooses the settings written to the profile before the plug-in
// is initialised; OUT_FILE receives every processed block, in order.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "library_loader.h"

namespace {

const char* const settings_cases[] = {
    "",                                                         // the defaults
    "echo=1\nesep=30\nedelay=40\nevol=60\nemon=1\nelevel=40\n", // the echo and its monitor
    "hq=1\nvpb=1\ninvert=1\nboost=1\n",                         // the floating-point chain
    "stepping=10\nlevel=100\nboost=0\nnle=1\necho=1\n",
};

// The plug-in's profile: C:\levoria.ini on Windows, levoria.ini in
// $XDG_CONFIG_HOME elsewhere (a folder of this run's own).
std::string profile_path() {
#ifdef _WIN32
    return "C:\\levoria.ini";
#else
    std::string folder = (std::filesystem::temp_directory_path() / "plugin-output").string();
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return folder + "/levoria.ini";
#endif
}

// A loud and quiet signal in turn, with noise: the gain control moves.
struct Signal {
    uint32_t seed = 12345;
    int32_t next(long n, int channel) {
        seed = seed * 1664525u + 1013904223u;
        int noise = static_cast<int>(seed >> 20) - 2048;
        int level = (n / 20000) % 3 == 0 ? 30000 : (n / 20000) % 3 == 1 ? 2000 : 12000;
        int tone = static_cast<int>(level * ((n * (channel + 3)) % 100 - 50) / 50);
        return tone / 2 + noise * level / 8192;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: plugin_output PLUGIN_FOLDER CASE OUT_FILE\n");
        return 2;
    }
    int which = std::atoi(argv[2]);
    if (which < 0 || which > 3) return 2;
    std::string profile = profile_path();
    {
        std::ofstream ini(profile, std::ios::binary);
        ini << "[levoria]\n" << settings_cases[which];
    }
    test::LoadedPlugin plugin = test::load_plugin(argv[1]);
    if (!plugin.module) {
        std::fprintf(stderr, "plugin_output: cannot load the plug-in from %s\n", argv[1]);
        return 1;
    }
    plugin.module->init(plugin.module);
    std::ofstream out(argv[3], std::ios::binary);
    struct Format {
        int bits, channels, rate;
    } formats[] = {{16, 2, 44100}, {16, 1, 22050}, {8, 2, 48000}, {16, 2, 44100}};
    for (const Format& f : formats) {
        Signal signal;
        const long frames = 200000;
        for (long start = 0; start < frames; start += 576) {
            int count = static_cast<int>(std::min<long>(576, frames - start));
            // Room for what the echo may add, as hosts give it.
            std::vector<short> block(static_cast<size_t>(count * f.channels * 2), 0);
            unsigned char* bytes = reinterpret_cast<unsigned char*>(block.data());
            for (int i = 0; i < count; ++i)
                for (int c = 0; c < f.channels; ++c) {
                    int32_t v = signal.next(start + i, c);
                    if (f.bits == 16)
                        block[static_cast<size_t>(i * f.channels + c)] = static_cast<short>(v);
                    else
                        bytes[i * f.channels + c] = static_cast<unsigned char>((v >> 8) + 128);
                }
            int returned = plugin.module->process(plugin.module, block.data(), count, f.bits,
                                                  f.channels, f.rate);
            out.write(reinterpret_cast<const char*>(&returned), sizeof returned);
            out.write(reinterpret_cast<const char*>(bytes),
                      static_cast<std::streamsize>(returned * f.channels * f.bits / 8));
        }
    }
    plugin.module->quit(plugin.module);
    return out ? 0 : 1;
}
