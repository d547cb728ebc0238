// The configuration dialog's logic with its controls faked.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "plugin/config_dialog.h"
#include "plugin/gain_control.h"
#include "plugin_fake_controls.h"

using namespace levo;

namespace {

using test::FakeControls;

const int echo_list[] = {1024, 1026, 1028, 1031, 1030, 1039, 1029, 1025, 1027, 1032};

struct Dialog : ::testing::Test {
    std::unique_ptr<PluginState> st = std::make_unique<PluginState>();
    PluginSettings set;
    FakeControls ui;
    ConfigDialog dialog{set, *st, ui};
    void SetUp() override {
        for (auto& c : st->predtable) c = 7;
        st->gain = st->gainmax = st->gainmin = 256;
        dialog.initialise();
    }
    void move(int id, int position) {
        ui.positions[id] = position;
        dialog.slider_moved(id);
    }
    void block(int nch) {
        std::vector<int16_t> b(static_cast<size_t>(576 * nch), 5000);
        processSamples(*st, set, b.data(), 576, 16, nch, 44100);
    }
};

} // namespace

TEST_F(Dialog, InitialisationShowsTheSettings) {
    EXPECT_EQ(ui.texts[1005], "% 75");
    EXPECT_EQ(ui.texts[1007], "8");
    EXPECT_EQ(ui.texts[1025], "Echo Volume: % 75");
    EXPECT_EQ(ui.texts[1027], "Stereo Separation: % 50");
    EXPECT_EQ(ui.texts[1029], "Echo Delay: 20 ms");
    EXPECT_EQ(ui.texts[1032], "Desired Echo Level: % 25");
    EXPECT_EQ(ui.ranges[1028], (std::pair{5, 500}));
    EXPECT_EQ(ui.ranges[1006], (std::pair{5, 10}));
    EXPECT_EQ(ui.positions[1004], 25);
    EXPECT_EQ(ui.positions[1006], 8);
    EXPECT_EQ(ui.positions[1028], 485);
    EXPECT_TRUE(ui.checked[1057]);
    EXPECT_FALSE(ui.checked[1023]);
    EXPECT_EQ(ui.x, 50);
    EXPECT_EQ(ui.y, 50);
    for (int id : echo_list) EXPECT_FALSE(ui.enabled[id]) << id;
}

TEST_F(Dialog, TextsBeforeTheFirstBlock) {
    dialog.slow_tick();
    EXPECT_EQ(ui.texts[1013], "Sample Rate:\t\t\t0");
    EXPECT_EQ(ui.texts[1014], "Channels:\t\t\t0");
    EXPECT_EQ(ui.texts[1015], "Buffer Size:\t\t\t0");
    EXPECT_EQ(ui.texts[1016], "Bits per channel:\t\t\t0");
    EXPECT_EQ(ui.texts[1001], "Current Filter Volume:\t\t% 100");
    EXPECT_EQ(ui.texts[1036], "Integer");
    EXPECT_EQ(ui.texts.count(1038), 0u);   // keeps its template text "Prediction"
    EXPECT_EQ(ui.enabled.count(1023), 0u); // "Echo Enable" never disabled
}

TEST_F(Dialog, StereoAndMonoBlocksSwitchTheStereoControls) {
    dialog.command(1023); // echo on
    block(1);
    dialog.slow_tick(); // mono first: the stereo list is left alone
    EXPECT_EQ(ui.enabled.count(1023), 0u);
    for (int id : echo_list) EXPECT_FALSE(ui.enabled[id]) << id;
    block(2);
    dialog.slow_tick();
    EXPECT_TRUE(ui.enabled[1023]);
    EXPECT_TRUE(ui.enabled[1024]);
    EXPECT_FALSE(ui.enabled[1031]); // emon 0: the echo level stays off
    EXPECT_FALSE(ui.enabled[1032]);
    EXPECT_EQ(ui.texts[1013], "Sample Rate:\t\t\t44100");
    EXPECT_EQ(ui.texts[1014], "Channels:\t\t\t2");
    EXPECT_EQ(ui.texts[1015], "Buffer Size:\t\t\t576");
    EXPECT_EQ(ui.texts[1016], "Bits per channel:\t\t\t16");
    EXPECT_EQ(ui.texts[1038], "Prediction Hit Rate:\t\t% 100");
    block(1);
    dialog.slow_tick();
    EXPECT_FALSE(ui.enabled[1023]);
    for (int id : echo_list) EXPECT_FALSE(ui.enabled[id]) << id;
    dialog.command(1030); // monitor on
    block(2);
    dialog.slow_tick();
    EXPECT_TRUE(ui.enabled[1031]);
    EXPECT_TRUE(ui.enabled[1032]);
}

TEST_F(Dialog, SuspendAndReset) {
    st->hits = 5, st->misses = 5, st->history = 77, st->gain = 300, st->raiserun = 9;
    st->echoline16[3] = 9;
    dialog.command(1037);
    EXPECT_EQ(ui.texts[1037], "Reset");
    EXPECT_EQ(st->suspended, 1);
    EXPECT_EQ(st->gain, 256);
    EXPECT_EQ(st->hits + st->misses, 0u);
    EXPECT_EQ(st->history, 0u);
    EXPECT_EQ(st->echoline16[3], 0);
    EXPECT_EQ(st->raiserun, 9);
    dialog.slow_tick();
    EXPECT_EQ(ui.texts[1001], "Current Filter Volume:\t\t% 100");
    std::vector<int16_t> b(1152, 5000);
    processSamples(*st, set, b.data(), 576, 16, 2, 44100);
    EXPECT_EQ(b[0], 5000); // suspended: untouched
    st->hits = 3;
    st->gain = 280;
    dialog.command(1037);
    EXPECT_EQ(ui.texts[1037], "Suspend");
    EXPECT_EQ(st->suspended, 0);
    EXPECT_EQ(st->gain, 280); // resuming keeps the gain
    EXPECT_EQ(st->hits, 0u);
}

TEST_F(Dialog, SmoothnessSliderRescalesTheGain) {
    st->gain = 300;
    move(1006, 10);
    EXPECT_EQ(st->gain, 1200);
    EXPECT_EQ(st->gainmax, 1200);
    EXPECT_EQ(st->gainmin, 1024);
    EXPECT_EQ(set.stepping, 10);
    EXPECT_EQ(ui.texts[1007], "10");
    dialog.slow_tick();
    EXPECT_EQ(ui.texts[1001], "Current Filter Volume:\t\t% 117");
    EXPECT_EQ(ui.texts[1002], "Maximum Filter Volume:\t\t% 117");
    EXPECT_EQ(ui.texts[1003], "Minimum Filter Volume:\t\t% 100");
}

TEST_F(Dialog, EchoVolumeSpringsBackWithTheMonitor) {
    dialog.command(1030); // emon on: evolauto = evol = 75
    move(1024, 40);       // evol 60
    EXPECT_EQ(set.evol, 60);
    EXPECT_EQ(ui.texts[1025], "Echo Volume: % 60");
    dialog.fast_tick();
    EXPECT_EQ(set.evol, 75);
    EXPECT_EQ(ui.positions[1024], 25);
    EXPECT_EQ(ui.texts[1025], "Echo Volume: % 75");
    dialog.command(1030); // emon off: no more springing back
    move(1024, 40);
    dialog.fast_tick();
    EXPECT_EQ(set.evol, 60);
}

TEST_F(Dialog, SliderEndsAndToggles) {
    move(1004, 0);
    EXPECT_EQ(set.level, 100);
    EXPECT_EQ(ui.texts[1005], "% 100");
    move(1028, 5);
    EXPECT_EQ(set.edelay, 500);
    EXPECT_EQ(st->echorestart, 1);
    EXPECT_EQ(ui.texts[1029], "Echo Delay: 500 ms");
    move(1026, 100);
    EXPECT_EQ(set.esep, 0);
    EXPECT_EQ(ui.texts[1027], "Stereo Separation: % 100");
    move(1031, 100);
    EXPECT_EQ(set.elevel, 0);
    st->echorestart = 0;
    dialog.command(1023);
    EXPECT_EQ(set.echo, 1);
    EXPECT_TRUE(ui.checked[1023]);
    EXPECT_EQ(st->echorestart, 1);
    EXPECT_TRUE(ui.enabled[1024]);
    EXPECT_FALSE(ui.enabled[1031]);
    for (int id : {1034, 1039, 1057, 1058}) {
        dialog.command(id);
        dialog.command(id);
        dialog.command(id);
    }
    EXPECT_EQ(set.hq, 1);
    EXPECT_EQ(set.nle, 1);
    EXPECT_EQ(set.boost, 0);
    EXPECT_EQ(set.invert, 1);
    EXPECT_TRUE(ui.checked[1058]);
}

TEST_F(Dialog, VoicePassBandOffReleasesTheFilter) {
    dialog.command(1056);
    EXPECT_EQ(set.vpb, 1);
    block(2);
    ASSERT_NE(st->passband, nullptr);
    dialog.command(1056);
    EXPECT_EQ(st->passband, nullptr);
}
