// The plug-in's block processing over random sizes, formats, settings and
// samples: nothing out of bounds, no undefined arithmetic, and an 8-bit block
// never leaves its range.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "plugin/effects.h"
#include "plugin/gain_control.h"

namespace {

// One state for the whole run, kept between blocks as in a player, and
// released at the end as the quit slot does.
struct Player {
    std::unique_ptr<levo::PluginState> st = std::make_unique<levo::PluginState>();
    levo::PluginSettings set;
    ~Player() { levo::release_passband(*st); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Player player;
    levo::PluginState* st = player.st.get();
    levo::PluginSettings& set = player.set;
    FuzzedDataProvider in(data, size);
    for (const levo::SettingKey& k : levo::setting_keys)
        levo::put(set.*k.field, levo::clamp_setting(k, in.ConsumeIntegral<int32_t>()));
    const int32_t bps = in.PickValueInArray({8, 16, 16, 24});
    const int32_t nch = in.PickValueInArray({1, 2, 2, 3});
    const int32_t srate = in.PickValueInArray({8000, 22050, 44100, 48000, 96000, 0, 1999});
    const int32_t frames = in.ConsumeIntegralInRange<int32_t>(0, 20000);
    if (in.ConsumeBool()) st->echorestart = 1;
    std::vector<int16_t> block(static_cast<size_t>(frames) * (nch > 0 ? nch : 1));
    for (auto& v : block) {
        int16_t x = in.ConsumeIntegral<int16_t>();
        v = bps == 8 ? static_cast<int16_t>(x % 128) : x;
    }
    if (levo::processSamples(*st, set, block.data(), frames, bps, nch, srate) != frames)
        std::abort();
    if (bps == 8 && (nch == 1 || nch == 2) && srate > 0)
        for (int16_t v : block)
            if (v < -128 || v > 127) std::abort();
    return 0;
}
