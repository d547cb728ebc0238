// The plug-in's two threads at once: the host's thread processes blocks
// while the dialog's thread changes every setting, moves every slider and
// presses Suspend/Reset. Built with ThreadSanitizer, no report may remain.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "plugin/config_dialog.h"
#include "plugin/effects.h"
#include "plugin/gain_control.h"
#include "plugin_fake_controls.h"

using namespace levo;

TEST(PluginThreads, BlocksAndTheDialogRunSideBySide) {
    auto st = std::make_unique<PluginState>();
    PluginSettings set;
    for (auto& c : st->predtable) c = 7;
    st->gain = st->gainmax = st->gainmin = 256;
    test::FakeControls ui;
    ConfigDialog dialog{set, *st, ui};
    dialog.initialise();
    std::atomic<bool> done{false};

    std::thread host([&] {
        std::mt19937 rng(7);
        std::vector<int16_t> block(2 * 2048);
        const int32_t formats[][3] = {
            {16, 2, 44100}, {16, 1, 48000}, {8, 2, 22050}, {16, 2, 96000}};
        for (int i = 0; i < 3000; ++i) {
            for (auto& v : block) v = static_cast<int16_t>(rng() % 20000 - 10000);
            const int32_t* f = formats[(i / 50) % 4];
            int32_t frames = 1 + static_cast<int32_t>(rng() % 2048);
            processSamples(*st, set, block.data(), frames, f[0], f[1], f[2]);
        }
        done = true;
    });
    const int commands[] = {id_echo, id_emon,  id_hq,     id_nle,
                            id_vpb,  id_boost, id_invert, id_suspend};
    const int sliders[][3] = {{id_level, 0, 100}, {id_stepping, 5, 10}, {id_evol, 0, 100},
                              {id_esep, 0, 100},  {id_edelay, 5, 500},  {id_elevel, 0, 100}};
    std::mt19937 rng(11);
    int rounds = 0;
    while (!done) {
        dialog.command(commands[rng() % 8]);
        const int* s = sliders[rng() % 6];
        ui.positions[s[0]] = s[1] + static_cast<int>(rng() % (s[2] - s[1] + 1));
        dialog.slider_moved(s[0]);
        dialog.fast_tick();
        dialog.slow_tick();
        ++rounds;
    }
    host.join();
    EXPECT_GT(rounds, 0);
    release_passband(*st); // as the quit slot does
}
