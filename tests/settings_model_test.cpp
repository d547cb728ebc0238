#include <gtest/gtest.h>

#include "frontend/settings/settings.h"
#include "frontend/settings/text_number.h"

using namespace settings;

TEST(IntegerValue, FollowsTheTextRule) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"26", 26},
        {"  \t12x", 12},
        {"-5", -5},
        {"+7", 7},
        {"40.9", 40},
        {"- 5", 0},
        {"\n5", 0},
        {"--5", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967297", 1},
        {"-2147483649", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(integer_value(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Schema, HoldsSixtyFourPersistedFieldsInSaveOrderTheToolchainsFourThenSevenUnstored) {
    const auto& table = schema();
    ASSERT_EQ(table.size(), 76u);
    std::string order;
    for (int i = 0; i < persisted_count; ++i) {
        EXPECT_TRUE(table[i].persisted) << table[i].key;
        order += table[i].key;
        order += ' ';
    }
    EXPECT_EQ(order,
              "upstat a1 a2 a3 a4 a5 a6 cab mxref tre fil bref bme ba bwb mode dm m ms aud ae "
              "apin muxer deb-a deb-b fastpsk dctd crelog sizemode aq cqm aub fa mb bias fb value "
              "range ref arx ary thr nr kfb bfr vbr minqp maxqp qps vbs vmb vib bv sct mingop "
              "maxgop auto1pcrf avsinc maxsize minsize dzinter dzintra aq1 aq2 ");
    for (int i = 0; i < persisted_count; ++i) EXPECT_TRUE(table[i].always_written);
    // The tools in use: stored only when they are not at their defaults.
    const char* toolchain[] = {"x264cli", "x264input", "x264asked", "x264help", "jobsatonce"};
    for (int i = 0; i < 5; ++i) {
        const FieldSpec& f = table[persisted_count + i];
        EXPECT_STREQ(f.key, toolchain[i]);
        EXPECT_TRUE(f.persisted && f.toolchain && !f.always_written) << f.key;
    }
    for (size_t i = persisted_count + 5; i < table.size(); ++i) {
        EXPECT_FALSE(table[i].persisted) << table[i].key;
        EXPECT_FALSE(table[i].toolchain) << table[i].key;
    }
    // The first 30 are integers, the other 34 texts.
    for (int i = 0; i < persisted_count; ++i)
        EXPECT_EQ(table[i].number != nullptr, i < 30) << table[i].key;
}

TEST(Schema, EveryMemberHasExactlyOneEntry) {
    Settings a;
    for (const FieldSpec& f : schema()) {
        EXPECT_EQ(find_field(f.key), &f);
        // Writing one field must not touch any other.
        Settings b = a;
        set_field(b, f, f.number ? "7" : "probe");
        for (const FieldSpec& g : schema()) {
            if (&g == &f) continue;
            EXPECT_EQ(field_text(b, g), field_text(a, g)) << f.key << " hit " << g.key;
        }
    }
    EXPECT_EQ(find_field("DEB-A"), find_field("deb-a"));
    EXPECT_EQ(find_field("nosuch"), nullptr);
}

TEST(Settings, TakesTheCreationValues) {
    Settings s;
    EXPECT_EQ(s.mode, 1);
    EXPECT_EQ(s.dm, 2);
    EXPECT_EQ(s.tre, -1);
    EXPECT_EQ(s.m, 4);
    EXPECT_EQ(s.crelog, 0);
    EXPECT_EQ(s.upstat, 1);
    EXPECT_EQ(s.cme, 1);
    EXPECT_EQ(s.biasbar, 100);
    EXPECT_EQ(s.deb_a, 6);
    EXPECT_EQ(s.value, "26");
    EXPECT_EQ(s.aub, "64");
    EXPECT_EQ(s.aq1, "0.0");
    EXPECT_EQ(s.vib, "0.9");
    EXPECT_EQ(s.cqm, "flat");
    EXPECT_EQ(s.avsinc, "");
    EXPECT_EQ(s.infile, "");
}

TEST(ClampText, ReplacesOnlyOutOfRangeNumbersByTheViolatedBound) {
    const Limits kfb = spec_of(&Settings::kfb).limits;
    const Limits minqp = spec_of(&Settings::minqp).limits;
    const Limits vib = spec_of(&Settings::vib).limits;
    const Limits vbs = spec_of(&Settings::vbs).limits;
    struct Case {
        Limits limits;
        const char* in;
        const char* out;
    } cases[] = {
        {kfb, "950", "900"},       {kfb, "40.5", "40.5"},
        {kfb, "-3", "0"},          {kfb, "", ""},
        {kfb, " 900", " 900"},     {minqp, "0", "1"},
        {minqp, "abc", "1"},       {minqp, "52", "51"},
        {vib, "1.5", "1"},         {vib, "-0.2", "0"},
        {vib, "0.95", "0.95"},     {vib, "1", "1"},
        {vbs, "240001", "240000"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        clamp_text(text, c.limits);
        EXPECT_EQ(text, c.out) << '"' << c.in << '"';
    }
    std::string text = "9999";
    EXPECT_FALSE(clamp_text(text, spec_of(&Settings::nr).limits)); // no limits
    EXPECT_EQ(text, "9999");
}
