// dsphost: runs an audio file through a Winamp-compatible DSP plug-in, block
// by block, as a player would, and writes the result in the input's format.
#include <dlfcn.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dsphost/host_options.h"
#include "plugin/plugin_abi.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "dsphost: %s\n", message.c_str());
    return 2;
}

std::string own_folder() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

// 16-bit or 8-bit PCM: what players hand to DSP plug-ins.
int bits_of(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: return 16;
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8: return 8;
    default: return 0;
    }
}

class Progress {
  public:
    explicit Progress(sf_count_t total) : total_(total), shown_(isatty(STDERR_FILENO)) {}
    void update(sf_count_t done) {
        if (!shown_ || total_ <= 0) return;
        int percent = static_cast<int>(done * 100 / total_);
        if (percent == last_) return;
        last_ = percent;
        std::string bar(static_cast<size_t>(percent / 2), '#');
        std::fprintf(stderr, "\r[%-50s] %3d%%", bar.c_str(), percent);
        if (percent == 100) std::fputc('\n', stderr);
    }

  private:
    sf_count_t total_;
    bool shown_;
    int last_ = -1;
};

} // namespace

int main(int argc, char** argv) {
    std::string error;
    auto parsed = dsphost::parse_options({argv + 1, argv + argc}, error);
    if (!parsed) return fail(error);
    const dsphost::Options& o = *parsed;

    std::string plugin_path = o.plugin.empty() ? own_folder() + "dsp_levo.so" : o.plugin;
    void* lib = dlopen(plugin_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) return fail("cannot load plug-in " + plugin_path);
    auto get_header = reinterpret_cast<HeaderGetter>(dlsym(lib, "winampDSPGetHeader2"));
    if (!get_header) return fail(plugin_path + " has no winampDSPGetHeader2 export");
    PluginHeader* header = get_header();
    PluginModule* module = header ? header->getModule(0) : nullptr;
    if (!module) return fail(plugin_path + " offers no module 0");

    SF_INFO info{};
    SNDFILE* in = sf_open(o.in.c_str(), SFM_READ, &info);
    if (!in) return fail("cannot read " + o.in + ": " + sf_strerror(nullptr));
    const int bits = bits_of(info.format);
    if (!bits || info.channels < 1 || info.channels > 2) {
        sf_close(in);
        return fail(o.in + " is not 8-bit or 16-bit PCM in mono or stereo");
    }
    SF_INFO out_info = info;
    SNDFILE* out = sf_open(o.out.c_str(), SFM_WRITE, &out_info);
    if (!out) {
        sf_close(in);
        return fail("cannot write " + o.out + ": " + sf_strerror(nullptr));
    }

    module->parentWindow = nullptr;
    module->instance = lib;
    module->init(module);
    // The file is read and written in chunks of about 1 MiB; the plug-in
    // gets its blocks of `frames` frames from memory, as before: every block
    // full but the file's last.
    const sf_count_t chunk_frames =
        std::max<sf_count_t>(1, (1 << 20) / (2 * info.channels) / o.frames) * o.frames;
    std::vector<short> chunk(static_cast<size_t>(chunk_frames) * info.channels);
    Progress progress(info.frames);
    sf_count_t done = 0;
    bool ok = true;
    for (;;) {
        sf_count_t got = sf_readf_short(in, chunk.data(), chunk_frames);
        if (got <= 0) break;
        sf_count_t kept = 0; // frames the plug-in handed back, packed at the chunk's start
        for (sf_count_t first = 0; first < got; first += o.frames) {
            short* block = chunk.data() + first * info.channels;
            const sf_count_t frames = std::min<sf_count_t>(o.frames, got - first);
            const sf_count_t values = frames * info.channels;
            // 8-bit audio travels as 16-bit values within ±127.
            if (bits == 8)
                for (sf_count_t i = 0; i < values; ++i)
                    block[i] = static_cast<short>(block[i] >> 8);
            int n = module->process(module, block, static_cast<int32_t>(frames), bits,
                                    info.channels, info.samplerate);
            if (n < 0 || n > frames) n = static_cast<int>(frames);
            if (bits == 8)
                for (sf_count_t i = 0; i < n * info.channels; ++i)
                    block[i] = static_cast<short>(block[i] * 256);
            if (block != chunk.data() + kept * info.channels)
                std::copy(block, block + n * info.channels, chunk.data() + kept * info.channels);
            kept += n;
        }
        if (sf_writef_short(out, chunk.data(), kept) != kept) {
            ok = false;
            break;
        }
        done += got;
        progress.update(done);
    }
    module->quit(module);
    sf_close(in);
    if (sf_close(out) != 0) ok = false;
    if (!ok) {
        std::remove(o.out.c_str());
        return fail("writing " + o.out + " failed");
    }
    return 0;
}
