// runlog and sizegate as the scripts start them: real processes, real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/os.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

platform::Os& os = platform::native_os();

#ifdef _WIN32
const char* const exe = ".exe";
#else
const char* const exe = "";
#endif

std::string tool(const std::string& name) {
    return "\"" + os.program_folder() + name + exe + "\"";
}

std::string q(const std::string& path) {
    return "\"" + path + "\"";
}

using test::read;
using test::shell;

const std::regex framed_log("([^]*)--------------------------------------------------\r\n"
                            "StartTime:\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n"
                            "([^]*)EndTime:\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n");

} // namespace

TEST(RunlogProcess, CopiesAndAppendsAFramedBlock) {
    test::TempFolder dir;
    ASSERT_TRUE(os.create_folder(dir.file("my logs")));
    std::string log = dir.file("my logs") + "/pass log.txt";
    os.write_file(dir.file("in.txt"), "line one\r\nno end");
    os.write_file(log, "old block\r\n");
    int code = shell(tool("runlog") + " " + q(log) + " < " + q(dir.file("in.txt")) + " > " +
                     q(dir.file("out.txt")));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(read(dir.file("out.txt")), "line one\r\nno end");
    std::smatch m;
    std::string text = read(log);
    ASSERT_TRUE(std::regex_match(text, m, framed_log)) << text;
    EXPECT_EQ(m[1], "old block\r\n");
    EXPECT_EQ(m[2], "line one\r\nno end");
}

TEST(RunlogProcess, WithoutAUsableLogItStillCopies) {
    test::TempFolder dir;
    os.write_file(dir.file("in.txt"), "0123456789A");
    for (std::string log : {std::string(""), dir.file("missing") + "/x.txt"}) {
        std::string args = log.empty() ? "" : " " + q(log);
        EXPECT_EQ(shell(tool("runlog") + args + " < " + q(dir.file("in.txt")) + " > " +
                        q(dir.file("out.txt"))),
                  0);
        EXPECT_EQ(read(dir.file("out.txt")), "0123456789A");
    }
    EXPECT_EQ(os.list_folder(dir.path() + "*").size(), 2u); // in.txt, out.txt
}

TEST(SizegateProcess, AnswersThroughItsExitCode) {
    test::TempFolder dir;
    std::string file = dir.file("clip 1.mp4");
    { std::ofstream(file, std::ios::binary) << ""; }
    auto gate = [&](const std::string& lo, const std::string& hi, const std::string& f) {
        return shell(tool("sizegate") + " " + lo + " " + hi + " " + q(f));
    };
    fs::resize_file(file, 104857600); // 100 MB, sparse
    EXPECT_EQ(gate("90", "110", file), 0);
    fs::resize_file(file, 94371840);
    EXPECT_EQ(gate("90", "110", file), 1);
    EXPECT_EQ(gate("89.5", "110", file), 0);
    EXPECT_EQ(gate("110", "90", file), 1);

    // Beyond 4 GiB.
    fs::resize_file(file, 5368709120LL);
    EXPECT_EQ(gate("5119", "5121", file), 0);
    EXPECT_EQ(gate("5120", "5121", file), 1);
    EXPECT_EQ(gate("0", "4096", file), 1);

    // A read-only file is measured and left as it is.
    fs::resize_file(file, 104857600);
    fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(gate("90", "110", file), 0);
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_EQ(fs::file_size(file), 104857600u);

    // A missing file answers 1 and is not created.
    EXPECT_EQ(gate("-1", "1", dir.file("missing.mp4")), 1);
    EXPECT_FALSE(fs::exists(dir.file("missing.mp4")));
    EXPECT_EQ(gate("-1", "1", dir.path().substr(0, dir.path().size() - 1)), 1); // a folder
    EXPECT_EQ(shell(tool("sizegate")), 1);
}
