#include <gtest/gtest.h>

#include "tools/params/command_line.h"

using tools::parameter;
using tools::split_parameters;
using V = std::vector<std::string>;

TEST(SplitParameters, FollowsTheToolsConvention) {
    struct Case {
        const char* line;
        V expected;
    } cases[] = {
        {"runlog.exe", {}},
        {"", {}},
        {"runlog.exe log.txt", {"log.txt"}},
        {"\"C:\\my tools\\runlog.exe\" \"C:\\my logs\\a b.txt\"", {"C:\\my logs\\a b.txt"}},
        {"sizegate.exe   90  110 \"D:\\v\\clip.mp4\"", {"90", "110", "D:\\v\\clip.mp4"}},
        {"x \"a b\"c d", {"a b", "c", "d"}}, // a quote glued to the next item
        {"x \"unterminated rest", {"unterminated rest"}},
        {"x a\"b c\"d", {"a\"b", "c\"d"}}, // quotes inside an item stay
        {"x a\tb c", {"a\tb", "c"}},       // tabs do not separate
        {"x \"\" y", {"", "y"}},           // an empty quoted item
        {"x trailing   ", {"trailing"}},
    };
    for (const Case& c : cases) EXPECT_EQ(split_parameters(c.line), c.expected) << c.line;
}

TEST(SplitParameters, ItemsBeyondTheLastAreEmpty) {
    V p = split_parameters("sizegate.exe 90");
    EXPECT_EQ(parameter(p, 1), "90");
    EXPECT_EQ(parameter(p, 2), "");
    EXPECT_EQ(parameter(p, 3), "");
    EXPECT_EQ(parameter(p, 0), "");
}
