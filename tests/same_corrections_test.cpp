// The corrections after a load are the same for quorbel-cli and the window:
// a hostile settings file loaded by each gives the same quorbel.ini.
#include <gtest/gtest.h>

#include <sstream>

#include "commands_fixture.h"
#include "front_end_fixture.h"
#include "frontend/cli/cli.h"
#include "frontend/session/session.h"

using test::FrontEndTest;

TEST_F(FrontEndTest, AHostileSettingsFileGivesTheSameSettingsThroughCliAndWindow) {
    const std::string hostile =
        "mode = 2\r\nvalue = 700\r\nkfb = 9999\r\nbfr = -3\r\nvbr = 101\r\nminqp = 0\r\n"
        "maxqp = 99\r\nqps = -1\r\nmb = 40\r\nref = -2\r\nthr = 77\r\nrange = 999\r\n"
        "sct = 1000\r\nvbs = 999999\r\nvmb = -1\r\nvib = 7.5\r\nbv = 3\r\ndeb-a = 99\r\n"
        "deb-b = -99\r\nfa = 12\r\nbias = -500\r\ncqm = custom...\r\nm = 77\r\nms = -4\r\n"
        "tre = 9\r\nae = 12\r\nmuxer = -7\r\navsinc = missing\r\nsizemode = 0\r\naq = 1\r\n"
        "x264cli = newest\r\n";
    os.write_file(dir.file("hostile.ini"), hostile);

    // quorbel-cli
    test::TempFolder cli_folder;
    test::FakeProbe no_media;
    test::FakeTools no_tools;
    std::ostringstream out, err;
    ASSERT_EQ(cli::run({"--program-folder", cli_folder.path(), "--settings",
                        dir.file("hostile.ini"), "--save-settings", dir.file("cli.ini")},
                       os, no_media, no_tools, out, err),
              0)
        << err.str();

    // The window's logic, with a recording view and the matrix question cancelled.
    os.write_file(dir.file("quorbel.ini"), hostile);
    session::create_working_folders(os, {dir.path()}); // as quorbel-cli's folder
    app.start();
    ASSERT_TRUE(app.shut_down());
    // The 64 settings; the window adds what it learnt of the x264 found
    // (quorbel-cli found none here).
    std::string window = test::read(dir.file("quorbel.ini"));
    window.resize(window.find("aq2 = 15\r\n") + 10);
    EXPECT_EQ(window, test::read(dir.file("cli.ini")));
    EXPECT_NE(window.find("cqm = flat\r\n"), std::string::npos);
    EXPECT_NE(window.find("kfb = 900\r\n"), std::string::npos);
    EXPECT_NE(window.find("value = 51\r\n"), std::string::npos);
}
