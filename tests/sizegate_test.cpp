#include <gtest/gtest.h>

#include "tools/sizegate/size_limits.h"

using namespace sizegate;

TEST(SizegateLimits, ConvertMegabytesToBytes) {
    struct Case {
        const char* text;
        int64_t bytes;
    } cases[] = {
        {"90", 94371840},
        {"110", 115343360},
        {"0.5", 524288},
        {"  1e1", 10485760},
        {"+2.", 2097152},
        {".25", 262144},
        {"-1", -1048576},
        {"", 0},
        {"abc", 0},
        {"12abc", 12582912},
        {"1e", 1048576},
        {"2E+1x", 20971520},
        {"inf", 0},
        {"nan", 0},
        {"0x10", 0},
        {"4096", 4294967296LL},
        {"0.1", 104858},         // 0.1f × 2^20 = 104857.6015625
        {"0.00000047683716", 0}, // half a byte rounds to even: 0
        {"1e39", INT64_MAX},
        {"-1e39", INT64_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(limit_bytes(c.text), c.bytes) << '"' << c.text << '"';
}

TEST(SizegateAnswer, StrictlyBetween) {
    auto with_size = [](const char* lo, const char* hi, int64_t size) {
        return run(lo, hi, "f", [size](const std::string&, int64_t& s) {
            s = size;
            return true;
        });
    };
    EXPECT_EQ(with_size("90", "110", 104857600), 0);
    EXPECT_EQ(with_size("90", "110", 94371840), 1);
    EXPECT_EQ(with_size("90", "110", 94371841), 0);
    EXPECT_EQ(with_size("90", "110", 115343359), 0);
    EXPECT_EQ(with_size("90", "110", 115343360), 1);
    EXPECT_EQ(with_size("110", "90", 104857600), 1); // lower above upper
    EXPECT_EQ(with_size("-1", "1", 0), 0);
    // Beyond 32 bits: a 5 GiB file against limits around it.
    EXPECT_EQ(with_size("5119", "5121", 5368709120LL), 0);
    EXPECT_EQ(with_size("5120", "5121", 5368709120LL), 1);
    EXPECT_EQ(with_size("0", "4096", 4294967296LL), 1);
    EXPECT_EQ(with_size("0", "4097", 4294967296LL), 0);
    // A file that cannot be measured, or no name at all, is out of range.
    auto unmeasurable = [](const std::string&, int64_t&) { return false; };
    EXPECT_EQ(run("-1", "1", "missing", unmeasurable), 1);
    int calls = 0;
    EXPECT_EQ(run("-1", "1", "", [&](const std::string&, int64_t&) { return ++calls, true; }), 1);
    EXPECT_EQ(calls, 0);
}
