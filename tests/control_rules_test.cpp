#include <gtest/gtest.h>

#include "frontend/ui/control_rules.h"
#include "test_support.h"

using namespace ui;
using settings::Settings;

TEST(ModeRules, GiveEachModeItsCaptionsAndControlStates) {
    struct Row {
        int mode;
        const char* caption;
        const char* hint;
        bool size_box, rate_fields, bv, stats, crf, size_rows;
    } rows[] = {
        {0, "Average Bitrate", "Range 0~8000", true, true, true, false, false, false},
        {1, "Quantizer", "Range 0~51", false, false, false, false, false, false},
        {2, "Quantizer", "Range 0~51", false, true, false, false, false, false},
        {3, "Average Bitrate", "Range 0~8000", true, true, true, true, false, false},
        {7, "Average Bitrate", "Range 0~8000", true, true, true, true, false, false},
        {8, "Quantizer", "Range 0~51", false, true, false, true, false, false},
        {9, "Quantizer", "Range 0~51", false, true, false, true, false, false},
        {10, "Average Bitrate", "Range 0~8000", true, true, true, true, true, false},
        {11, "Average Bitrate", "Range 0~8000", true, true, true, true, true, false},
        {12, "Quantizer", "Range 0~51", false, true, false, true, false, false},
        {13, "Average Bitrate", "Range 0~8000", true, true, true, true, true, true},
    };
    for (const Row& r : rows) {
        test::RecordingView v;
        Settings s;
        s.mode = r.mode;
        mode_rules(s, v);
        SCOPED_TRACE(r.mode);
        EXPECT_EQ(v.captions[Ctl::value_caption], r.caption);
        EXPECT_EQ(v.captions[Ctl::range_hint], r.hint);
        EXPECT_EQ(v.shown[Ctl::size_box], r.size_box);
        for (Ctl c : {Ctl::vbr, Ctl::minqp, Ctl::maxqp, Ctl::qps, Ctl::vbs, Ctl::vmb, Ctl::vib})
            EXPECT_EQ(v.enabled[c], r.rate_fields);
        EXPECT_EQ(v.enabled[Ctl::bv], r.bv);
        for (Ctl c : {Ctl::upstat, Ctl::statsname, Ctl::stats_button})
            EXPECT_EQ(v.enabled[c], r.stats);
        EXPECT_EQ(v.shown[Ctl::auto1pcrf], r.crf);
        EXPECT_EQ(v.shown[Ctl::crf_caption], r.crf);
        EXPECT_EQ(v.shown[Ctl::logo], !r.size_rows);
        for (Ctl c : {Ctl::minsize, Ctl::maxsize, Ctl::minsize_caption, Ctl::maxsize_caption})
            EXPECT_EQ(v.shown[c], r.size_rows);
    }
}

TEST(ModeRules, ClampValueByModeOnlyWhileSizeIsOff) {
    struct Case {
        int mode, sizemode;
        const char* in;
        const char* out;
    } cases[] = {
        {1, 0, "70", "51"},     {2, 0, "70", "51"},     {8, 0, "70", "70"},
        {0, 0, "70", "70"},     {8, 0, "9000", "8000"}, {0, 0, "-1", "0"},
        {0, 1, "9000", "9000"}, {1, 1, "400", "400"},   {12, 0, "40.5", "40.5"},
    };
    for (const Case& c : cases) {
        test::RecordingView v;
        Settings s;
        s.mode = c.mode;
        s.sizemode = c.sizemode;
        s.value = c.in;
        settings::validate_value(s); // as a change of mode checks `value` first
        mode_rules(s, v);
        EXPECT_EQ(s.value, c.out) << "mode " << c.mode << " size " << c.sizemode << " " << c.in;
    }
    // With the hidden "Size" box still ticked, a quantizer mode keeps its captions.
    test::RecordingView v;
    Settings s;
    s.mode = 1;
    s.sizemode = 1;
    mode_rules(s, v);
    EXPECT_EQ(v.captions[Ctl::value_caption], "Quantizer");
    s.mode = 0;
    mode_rules(s, v);
    EXPECT_EQ(v.captions[Ctl::value_caption], "Size in MB");
    EXPECT_EQ(v.captions[Ctl::range_hint], "");
}

TEST(BframeRules, ClampAndEnableByCount) {
    const Ctl all[] = {Ctl::a3,   Ctl::dm,  Ctl::biasbar, Ctl::bias,
                       Ctl::bref, Ctl::bme, Ctl::ba,      Ctl::bwb};
    struct Case {
        const char* mb;
        const char* clamped;
        bool enabled_except_two, two; // the two: bref and bwb
    } cases[] = {{"-5", "0", false, false}, {"0", "0", false, false}, {"1", "1", true, false},
                 {"2", "2", true, true},    {"17", "16", true, true}, {"x", "x", false, false}};
    for (const Case& c : cases) {
        test::RecordingView v;
        Settings s;
        s.mb = c.mb;
        s.bref = 1;
        settings::clamp(s, &Settings::mb);
        bframe_rules(s, v);
        EXPECT_EQ(s.mb, c.clamped);
        for (Ctl ctl : all) {
            bool expected = ctl == Ctl::bref || ctl == Ctl::bwb ? c.two : c.enabled_except_two;
            EXPECT_EQ(v.enabled[ctl], expected) << c.mb;
        }
        EXPECT_EQ(s.bref, 1); // disabling keeps the tick
    }
}

TEST(Rules, SimpleEnablingRules) {
    test::RecordingView v;
    Settings s;
    s.a1 = 0, s.a2 = 1, s.ref = "2", s.m = 3, s.ms = 2, s.cab = 0, s.aud = 1, s.ae = 5,
    s.crelog = 0;
    partition_rules(s, v);
    mixed_refs_rule(s, v);
    chroma_me_rule(s, v);
    me_range_rule(s, v);
    trellis_rule(s, v);
    audio_bitrate_rule(s, v);
    audio_unit_caption(s, v);
    log_file_rule(s, v);
    EXPECT_FALSE(v.enabled[Ctl::a5]);
    EXPECT_TRUE(v.enabled[Ctl::a4]);
    EXPECT_TRUE(v.enabled[Ctl::mxref]);
    EXPECT_FALSE(v.enabled[Ctl::cme]);
    EXPECT_TRUE(v.enabled[Ctl::range]);
    EXPECT_FALSE(v.enabled[Ctl::trellis_caption]);
    EXPECT_TRUE(v.enabled[Ctl::aub]);
    EXPECT_EQ(v.captions[Ctl::aub_unit], "Kbps");
    EXPECT_FALSE(v.enabled[Ctl::logname]);
    EXPECT_FALSE(v.enabled[Ctl::log_button]);
    s.ae = 6, s.m = 4, s.ref = "1";
    audio_unit_caption(s, v);
    chroma_me_rule(s, v);
    mixed_refs_rule(s, v);
    EXPECT_EQ(v.captions[Ctl::aub_unit], "Quality");
    EXPECT_TRUE(v.enabled[Ctl::cme]);
    EXPECT_FALSE(v.enabled[Ctl::mxref]);
}

TEST(Rules, AqWarnsOnlyWhenTickedWithTheClassicLines) {
    test::RecordingView v;
    Settings s;
    s.aq = 1;
    EXPECT_TRUE(aq_warning_due(s));
    EXPECT_EQ(std::string(aq_warning_title) + "|" + aq_warning_text,
              "Warning!|Only Quillfin's x264 support AQ parameter!");
    aq_rule(s, v);
    EXPECT_TRUE(v.enabled[Ctl::aq1]);
    s.x264cli = "current";
    EXPECT_FALSE(aq_warning_due(s));
    s.aq = 0;
    s.x264cli = "classic";
    EXPECT_FALSE(aq_warning_due(s));
    aq_rule(s, v);
    EXPECT_FALSE(v.enabled[Ctl::aq2]);
}

TEST(Mirrors, SlidersAndBias) {
    Settings s;
    s.deb_a = 0, s.deb_b = 12, s.biasbar = 0;
    settings::deblock_mirrors(s);
    settings::bias_from_slider(s);
    EXPECT_EQ(s.fa, "-6");
    EXPECT_EQ(s.fb, "6");
    EXPECT_EQ(s.bias, "-100");
    s.bias = "50";
    settings::slider_from_bias(s);
    EXPECT_EQ(s.biasbar, 150);
    s.bias = "500";
    settings::slider_from_bias(s);
    EXPECT_EQ(s.biasbar, 200);
    EXPECT_EQ(s.bias, "500");
    s.bias = "-2147483648";
    settings::slider_from_bias(s);
    EXPECT_EQ(s.biasbar, 0);
}
