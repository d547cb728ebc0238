// pausems and toolenv, the helpers every batch script calls.
#include <gtest/gtest.h>

#include <cstdio>

#include "tools/pausems/pause_time.h"
#include "tools/toolenv/toolenv.h"

TEST(Pausems, TakesOneWholeNumberOfMilliseconds) {
    using V = std::vector<std::string>;
    EXPECT_EQ(pausems::pause_time(V{"1000"}), 1000ul);
    EXPECT_EQ(pausems::pause_time(V{"0"}), 0ul);
    EXPECT_EQ(pausems::pause_time(V{"2147483647"}), 2147483647ul);
    for (const V& bad : {V{}, V{""}, V{"-1"}, V{"+5"}, V{"1.5"}, V{"2147483648"}, V{"99999999999"},
                         V{"10", "20"}, V{"ten"}})
        EXPECT_FALSE(pausems::pause_time(bad)) << (bad.empty() ? "(none)" : bad[0]);
}

namespace {

std::string written_name, written_text;
bool remember(const std::string& name, const std::string& text) {
    written_name = name;
    written_text = text;
    return true;
}
bool refuse(const std::string&, const std::string&) {
    return false;
}

} // namespace

TEST(Toolenv, RunWritesTheSearchPathBatchFile) {
    EXPECT_EQ(toolenv::batch_text("C:\\enc", false), "@set \"PATH=C:\\enc;%PATH%\"\r\n");
    EXPECT_EQ(toolenv::batch_text("C:\\a & 100%", true),
              "@set \"PATH=C:\\a & 100%%;C:\\a & 100%%\\tools;%PATH%\"\r\n");

    std::FILE* err = std::tmpfile();
    EXPECT_EQ(toolenv::run({"run"}, {"D:\\x", true, remember}, err), 0);
    EXPECT_EQ(written_name, "toolenv.bat");
    EXPECT_EQ(written_text, "@set \"PATH=D:\\x;D:\\x\\tools;%PATH%\"\r\n");
    // Scripts that run at once each name a file of their own.
    EXPECT_EQ(toolenv::run({"run", "toolenv2"}, {"D:\\x", true, remember}, err), 0);
    EXPECT_EQ(written_name, "toolenv2.bat");
    EXPECT_EQ(toolenv::run({}, {"D:\\x", true, remember}, err), 2);
    for (const char* name : {"now.bat", "..\\up", "a b", ""})
        EXPECT_EQ(toolenv::run({"run", name}, {"D:\\x", true, remember}, err), 2) << name;
    EXPECT_EQ(toolenv::run({"run", "a", "b"}, {"D:\\x", true, remember}, err), 2);
    EXPECT_EQ(toolenv::run({"run"}, {"D:\\x", true, refuse}, err), 1);
    std::rewind(err);
    char line[200];
    ASSERT_TRUE(std::fgets(line, sizeof line, err));
    EXPECT_STREQ(line, "toolenv: usage: toolenv run [NAME]\n");
    std::fclose(err);
}
