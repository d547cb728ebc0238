// quorbel-cli end to end, in-process.
#include <gtest/gtest.h>

#include <sstream>

#include "commands_fixture.h"
#include "frontend/cli/cli.h"
#include "test_support.h"

namespace {

struct Cli : ::testing::Test {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    test::FakeProbe probe;
    test::FakeTools tools; // no x264.exe anywhere, unless a test puts one there
    std::ostringstream out, err;

    int run(std::vector<std::string> args) {
        out.str(""), err.str("");
        return cli::run(args, os, probe, tools, out, err);
    }
    std::vector<std::string> lines() {
        std::vector<std::string> v;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) v.push_back(line);
        return v;
    }
};

// The worked example's settings, given with --set.
const std::vector<std::string> example_sets = {
    "--set", "ref=3", "--set", "tre=1", "--set", "thr=0", "--set",
    "dm=2",  "--set", "bme=1", "--set", "m=5",   "--set", "value=1000",
};

} // namespace

TEST_F(Cli, ReproducesTheWorkedExampleFromSets) {
    std::vector<std::string> args = {"--program-folder", "C:\\enc", "--set", "mode=6"};
    args.insert(args.end(), example_sets.begin(), example_sets.end());
    args.push_back("C:\\video\\movie.avs");
    ASSERT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 7u);
    EXPECT_EQ(got,
              (std::vector<std::string>{"@echo.", "@echo Input:\"C:\\video\\movie.avs\"",
                                        "@echo Output:\"C:\\video\\movie.mp4\"",
                                        "@echo Encode Mode:Automated Double Passes",
                                        test::first_pass_line, test::second_pass_line, "@echo+"}));
}

TEST_F(Cli, WritesTheBatchFileAndWrapsMediaInputs) {
    std::string p = dir.path();
    std::string bat = dir.file("jobs");
    ASSERT_EQ(run({"--program-folder", p, "--set", "mode=2", "--set", "crelog=0", "--output-folder",
                   "D:\\enc", "--bat", bat, "C:\\in\\a.mkv", "C:\\in\\b.avs"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "");
    std::string text = *os.read_file(bat + ".bat");
    std::string head =
        "@cd /d \"" + p + "\"\r\n@toolenv.exe run\r\n@call toolenv.bat\r\n@del toolenv.bat\r\n";
    ASSERT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("\r\n@echo Input:\"" + p +
                        "avs\\a.mkv.avs\"\r\n@echo Output:\"D:\\enc\\a.mp4\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("-o \"D:\\enc\\b.mp4\" \"C:\\in\\b.avs\"\r\n@echo+\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 8), "@echo+\r\n");
    EXPECT_EQ(
        *os.read_file(p + "avs\\a.mkv.avs"),
        "fs=\"C:\\in\\a.mkv\"\r\nmfn=\"C:\\in\\a\"\r\nimport(\"..\\avsinc\\default.avs\")\r\n");
    for (const char* sub : {"avs", "stats", "configs", "log", "avsinc"})
        EXPECT_TRUE(os.file_exists(p + sub));
}

TEST_F(Cli, SettingsFileSetsAndSaveRunThePostLoadPass) {
    std::string p = dir.path();
    os.write_file(dir.file("in.ini"), "mode = 0\r\nkfb = 100\r\ncqm = custom...\r\n");
    ASSERT_EQ(run({"--program-folder", p, "--settings", dir.file("in.ini"), "--set", "bfr=950",
                   "--set", "nr=", "--set", "deb-a=0", "--save-settings", dir.file("out.ini"),
                   "--set", "value=9000"}),
              0)
        << err.str();
    std::string saved = *os.read_file(dir.file("out.ini"));
    for (const char* line :
         {"\r\nmode = 0\r\n", "\r\nkfb = 100\r\n", "\r\nbfr = 900\r\n", "\r\nnr = \r\n",
          "\r\nfa = -6\r\n", "\r\nvalue = 8000\r\n", "\r\ncqm = flat\r\n", "\r\nminqp = 1\r\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    // No input and no names: no job at all (no block of two marker lines).
    EXPECT_TRUE(lines().empty());
    // One name alone is a job "Add" refuses.
    EXPECT_EQ(run({"--program-folder", p, "--set", "infile=C:\\a.avs"}), 2);
    EXPECT_EQ(err.str(),
              "quorbel-cli: the job was not added: it needs an input file and an output file\n");
}

TEST_F(Cli, BadUsageIsOneLineAndExitTwo) {
    std::string bat = dir.file("never.bat");
    const std::vector<std::vector<std::string>> bad = {
        {"--frobnicate"},
        {"--set", "nosuch=1"},
        {"--set", "mode"},
        {"--set", "mode=six"},
        {"--set", "mode=99999999999"},
        {"--settings", dir.file("missing.ini")},
        {"--bat"},
        {"--inputs", dir.file("no-list.txt")},
        // The cluster's export.
        {"--path-map", "video=/data/video/"},
        {"--max-running", "0"},
        {"--cpus", "four"},
        {"--slurm", "export"},           // not a folder from /
        {"--slurm", dir.file("export")}, // no job in the list
        {"--slurm", dir.file("export"), "--jobs", dir.file("no.jobs")},
    };
    for (std::vector<std::string> args : bad) {
        args.insert(args.begin(), {"--program-folder", dir.path()});
        EXPECT_EQ(run(args), 2) << args[2];
        std::string e = err.str();
        EXPECT_EQ(e.rfind("quorbel-cli: ", 0), 0u) << e;
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_FALSE(os.file_exists(bat));
    EXPECT_FALSE(os.file_exists(dir.file("export")));
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(out.str().rfind("usage: quorbel-cli", 0), 0u);
    // Only an option in option position asks for help.
    out.str("");
    EXPECT_EQ(run({"--program-folder", dir.path(), "--output-folder", "-h", "--", "-h"}), 0);
    EXPECT_EQ(out.str().find("usage"), std::string::npos) << out.str();
}

TEST_F(Cli, ReproducesTheAudioAndMuxExamples) {
    const std::string bepipe = "@bepipe.exe --script \"import(^C:\\enc\\avs\\clip.avs^)\" | ";
    struct Case {
        std::vector<std::string> sets;
        std::vector<std::string> lines; // after the echo lines
    } cases[] = {
        {{"muxer=4", "ae=0"}, {bepipe + "enc_aacplus.exe - \"D:\\v\\clip.audio.aac\" --cbr 64000"}},
        {{"muxer=4", "ae=3"},
         {bepipe + "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -br 64000"}},
        {{"muxer=4", "ae=5"},
         {bepipe + "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -q 64"}},
        {{"muxer=0", "ae=1"},
         {bepipe + "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 64000",
          "@mp4box.exe -add \"D:\\v\\clip.audio.mp4\" \"D:\\v\\clip.mp4\"",
          "@if not errorlevel 1 del \"D:\\v\\clip.audio.mp4\""}},
        {{"muxer=1", "ae=1"},
         {bepipe + "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 64000",
          "@mp4creator.exe -create=\"D:\\v\\clip.audio.mp4\" \"D:\\v\\clip.mp4\"",
          "@if not errorlevel 1 del \"D:\\v\\clip.audio.mp4\""}},
        {{"muxer=2", "ae=1"},
         {bepipe + "neroaacenc.exe -if - -of \"D:\\v\\clip.audio.mp4\" -ignorelength -cbr 64000",
          "@mkvmerge -o \"D:\\v\\clip.mkv\" \"D:\\v\\clip.mp4\" \"D:\\v\\clip.audio.mp4\"",
          "@if exist \"D:\\v\\clip.mkv\" del \"D:\\v\\clip.audio.mp4\"",
          "@if exist \"D:\\v\\clip.mkv\" del \"D:\\v\\clip.mp4\""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--program-folder",
                                         "C:\\enc",
                                         "--set",
                                         "aud=1",
                                         "--set",
                                         "infile=C:\\enc\\avs\\clip.avs",
                                         "--set",
                                         "outfile=D:\\v\\clip.mp4"};
        for (const std::string& kv : c.sets) args.insert(args.end(), {"--set", kv});
        ASSERT_EQ(run(args), 0) << err.str();
        std::vector<std::string> got = lines();
        // Audio Only: echo lines, then the audio lines; otherwise the pass comes first.
        size_t first = c.sets[0] == "muxer=4" ? 4 : 5;
        ASSERT_EQ(got.size(), first + c.lines.size() + 1) << c.sets[0];
        EXPECT_EQ(std::vector<std::string>(got.begin() + static_cast<long>(first), got.end() - 1),
                  c.lines);
    }
}

TEST_F(Cli, ReproducesTheConditionalJobBlock) {
    std::vector<std::string> args = {"--program-folder", "C:\\enc", "--set", "mode=13"};
    args.insert(args.end(), example_sets.begin(), example_sets.end());
    args.push_back("C:\\video\\movie.avs");
    ASSERT_EQ(run(args), 0) << err.str();
    std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 8u);
    EXPECT_EQ(got[3], "@echo Encode Mode:Conditional Double Passes(1P-CRF)");
    EXPECT_NE(got[4].find(" --stats \"C:\\enc\\stats\\movie.avs.stat\" -p 1 --crf 16 "),
              std::string::npos);
    EXPECT_NE(got[4].find(" -o \"C:\\video\\movie.mp4\" \"C:\\video\\movie.avs\" "),
              std::string::npos);
    EXPECT_EQ(got[5], "@sizegate.exe 90 110 \"C:\\video\\movie.mp4\"");
    EXPECT_EQ(got[6], "@if errorlevel 1 " + test::second_pass_line);
    EXPECT_EQ(got[7], "@echo+");
}

TEST_F(Cli, RefusesJobsWhoseFieldsWouldAddACommandOrAControlCharacter) {
    const std::string nul_file = dir.file("zero_byte.ini");
    os.write_file(nul_file, std::string("mode = 1\r\nnr = 0\0 x\r\n", 22));
    struct Case {
        std::vector<std::string> args;
        const char* field;
    } cases[] = {
        {{"--set", "nr=0\r\ndel /q *"}, "nr"},
        {{"--set", "nr=0 & del /q *"}, "nr"},
        {{"--set", "value=26|more"}, "value"},
        {{"--set", "aq1=1>x"}, "aq1"},
        {{"--set", "thr=1\""}, "thr"},
        {{"--set", "cqm=a^b"}, "cqm"},
        // An environment variable's value, quotes and "&" included.
        {{"--set", "nr=%QQ%"}, "nr"},
        {{"--set", "value=%CMDCMDLINE:~-1%"}, "value"},
        {{"--set", "outfile=D:\\v\\a\tb.mp4"}, "outfile"},
        // A quote would close the lines' own quotes around a name.
        {{"--set", "infile=C:\\a\" & echo INJECTED>pwned.txt & \".avs"}, "infile"},
        {{"--set", "logname=C:\\l\"x.txt"}, "logname"},
        {{"--set", "cqm=\"C:\\m\" & del x & \"n.cfg\""}, "cqm"},
        {{"--settings", nul_file}, "nr"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--program-folder", dir.path(), "--set",
                                         "infile=C:\\a.avs", "--set",    "outfile=D:\\a.mp4"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(run(args), 2) << c.field;
        EXPECT_EQ(err.str(), std::string("quorbel-cli: the job was not added: ") + c.field +
                                 " holds a character that cannot stand in a batch line\n");
        EXPECT_EQ(out.str(), "");
    }
    // Inside the lines' double quotes, names keep these characters.
    EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "infile=C:\\a & b | c ^ d.avs", "--set",
                   "outfile=D:\\x <y>.mp4", "--set", "cqm=\"C:\\m & n.cfg\""}),
              0);
    EXPECT_NE(out.str().find("--cqmfile \"C:\\m & n.cfg\""), std::string::npos) << out.str();
}

TEST_F(Cli, SliderPositionsAreClampedIntoTheSlidersRange) {
    for (auto [set, fragment] :
         {std::pair{"deb-a=100", " -f 6:0 "}, std::pair{"deb-a=-2147483648", " -f -6:0 "}}) {
        EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "infile=C:\\a.avs", "--set",
                       "outfile=D:\\a.mp4", "--set", set}),
                  0);
        EXPECT_NE(out.str().find(fragment), std::string::npos) << set << "\n" << out.str();
    }
}

TEST_F(Cli, DirectInputsAndTargetSizesThatCannotBeMet) {
    std::string p = dir.path();
    probe.media["C:\\in\\a.y4m"] = {250, 25};
    ASSERT_EQ(run({"--program-folder", p, "--set", "x264input=direct", "--set", "x264cli=current",
                   "--set", "mode=0", "--set", "sizemode=1", "--set", "value=2", "C:\\in\\a.y4m"}),
              0)
        << err.str();
    std::vector<std::string> got = lines();
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[1], "@echo Input:\"C:\\in\\a.y4m\"");
    EXPECT_NE(got[4].find(" -B 1674 "), std::string::npos) << got[4];
    EXPECT_TRUE(os.list_folder(p + "avs\\*").empty());

    // One input that nothing can measure: one line, exit 2, no lines at all.
    EXPECT_EQ(run({"--program-folder", p, "--set", "mode=6", "--set", "sizemode=1", "C:\\in\\a.y4m",
                   "C:\\in\\b.mkv"}),
              2);
    EXPECT_EQ(err.str(), "quorbel-cli: the job for C:\\in\\b.mkv was not added: its target size "
                         "needs its length, and it cannot be measured\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"--program-folder", p, "--set", "x264input=lavf"}), 2);
    EXPECT_EQ(err.str(), "quorbel-cli: --set x264input: 'lavf' is not one of avisynth, direct\n");
}

TEST_F(Cli, FailedWritesAreOneLineAndExitOne) {
    std::string p = dir.path();
    os.write_file(dir.file("junk.ini"), "");
    EXPECT_EQ(run({"--program-folder", p, "--settings", dir.file("junk.ini")}), 2);
    EXPECT_EQ(err.str(), "quorbel-cli: settings file " + dir.file("junk.ini") +
                             " holds no settings (it is empty or damaged)\n");
    const std::vector<std::vector<std::string>> unwritable = {
        {"--bat", dir.file("no\\such\\folder\\x.bat"), "--set", "mode=1"},
        {"--save-settings", dir.file("no\\such\\folder\\x.ini")},
        // A read-only program folder: the wrapper cannot be written.
        {"--program-folder", p + "missing", "C:\\in\\a.mkv"},
    };
    for (std::vector<std::string> args : unwritable) {
        if (args[0] != "--program-folder") args.insert(args.begin(), {"--program-folder", p});
        EXPECT_EQ(run(args), 1) << args[2];
        std::string e = err.str();
        EXPECT_EQ(e.rfind("quorbel-cli: Cannot write ", 0) == 0 ||
                      e.rfind("quorbel-cli: cannot write ", 0) == 0,
                  true)
            << e;
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(Cli, InputsFromAFileOneALineAsManyAsNeeded) {
    std::string list;
    for (int i = 0; i < 1000; ++i) list += "C:\\clips\\take " + std::to_string(i) + ".avs\r\n";
    list += "\r\n";
    os.write_file(dir.file("inputs.txt"), list);
    ASSERT_EQ(run({"--program-folder", dir.path(), "--inputs", dir.file("inputs.txt"),
                   "C:\\clips\\last.avs"}),
              0)
        << err.str();
    std::vector<std::string> got = lines();
    EXPECT_EQ(std::count(got.begin(), got.end(), "@echo."), 1001);
    EXPECT_EQ(got[1], "@echo Input:\"C:\\clips\\take 0.avs\"");
    EXPECT_EQ(got[got.size() - 5], "@echo Input:\"C:\\clips\\last.avs\"");
}

TEST_F(Cli, AnInputsFileInUtf8IsReadAsTheCodePageHoldsIt) {
    // A byte-order mark is no part of the first name.
    os.write_file(dir.file("marked.txt"), "\xEF\xBB\xBF"
                                          "C:\\clips\\first.avs\r\nC:\\clips\\b.avs\r\n");
    ASSERT_EQ(run({"--program-folder", dir.path(), "--inputs", dir.file("marked.txt")}), 0)
        << err.str();
    EXPECT_EQ(lines()[1], "@echo Input:\"C:\\clips\\first.avs\"");

    os.write_file(dir.file("utf8.txt"), "C:\\clips\\caf\xC3\xA9.avs\n");
    ASSERT_EQ(run({"--program-folder", dir.path(), "--inputs", dir.file("utf8.txt")}), 0)
        << err.str();
#ifdef _WIN32
    EXPECT_EQ(lines()[1], "@echo Input:\"C:\\clips\\caf\xE9.avs\""); // code page 1252
#else
    EXPECT_EQ(lines()[1], "@echo Input:\"C:\\clips\\caf\xC3\xA9.avs\""); // UTF-8 is the code page
#endif

    os.write_file(dir.file("cjk.txt"), "C:\\clips\\\xE6\x97\xA5\xE6\x9C\xAC.avs\n");
#ifdef _WIN32
    EXPECT_EQ(run({"--program-folder", dir.path(), "--inputs", dir.file("cjk.txt")}), 2);
    EXPECT_EQ(err.str(), "quorbel-cli: the input \"C:\\clips\\\xE6\x97\xA5\xE6\x9C\xAC.avs\" holds "
                         "U+65E5 and U+672C, which the ANSI code page cannot hold\n");
#else
    EXPECT_EQ(run({"--program-folder", dir.path(), "--inputs", dir.file("cjk.txt")}), 0);
#endif
}

TEST_F(Cli, DevicesAndOverlongNamesAreRefusedBeforeTheScriptRuns) {
    const std::string long_name = "C:\\" + std::string(os.longest_path(), 'x') + ".avs";
    struct Case {
        std::string input, reason;
    } cases[] = {
        {"C:\\clips\\com1.y4m", "names the device COM1, not a file"},
        {"C:\\clips\\Con.avs", "names the device CON, not a file"},
        {"C:\\nul\\clip.avs", "names the device NUL, not a file"},
        {"C:\\clips\\lpt9 .tar.avs", "names the device LPT9, not a file"},
        {long_name, "is longer than the " + std::to_string(os.longest_path()) +
                        " characters that programs can open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "x264input=direct", c.input}), 2);
        EXPECT_EQ(err.str(), "quorbel-cli: the job was not added: infile " + c.reason + "\n");
    }
    // Names that only look alike are files.
    EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "x264input=direct",
                   "C:\\clips\\com10.y4m", "C:\\console\\auxiliary.y4m"}),
              0)
        << err.str();
}

TEST_F(Cli, AnOutputThatIsItsInputIsRefusedAndKilledWritesAreTidiedAway) {
    EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "x264input=direct", "--set",
                   "infile=D:\\v\\movie.mp4", "--set", "outfile=d:\\V\\Movie.MP4"}),
              2);
    EXPECT_EQ(err.str(), "quorbel-cli: the job was not added: outfile names the job's input, which "
                         "it would overwrite\n");
    // A source picked into its own folder gets a name of its own.
    ASSERT_EQ(
        run({"--program-folder", dir.path(), "--set", "x264input=direct", "D:\\v\\movie.mp4"}), 0);
    EXPECT_EQ(lines()[2], "@echo Output:\"D:\\v\\movie (2).mp4\"");

    // A wrapper write cut short by a kill leaves its temporary file; the next
    // start removes it.
    const std::string leftover = dir.file("avs/clip.mkv.avs.~999999-1");
    os.write_file(leftover, "fs=");
    test::TestOs t;
    t.gone = {999999};
    out.str(""), err.str("");
    EXPECT_EQ(
        cli::run({"--program-folder", dir.path(), "C:\\clips\\a.avs"}, t, probe, tools, out, err),
        0);
    EXPECT_FALSE(os.file_exists(leftover));
}

TEST_F(Cli, OutputsFitTheX264TheJobsWillRun) {
    // A build that writes MP4, then one that writes none (its help says so).
    tools.programs[dir.path() + "x264.exe"] = "x264 0.164.3095 baee400\n";
    tools.helps[dir.path() + "x264.exe"] =
        " .mp4 -> MP4 if compiled with GPAC or L-SMASH support (lsmash)\n";
    const std::vector<std::string> args = {"--program-folder", dir.path(), "--set",
                                           "x264input=direct", "D:\\v\\clip.y4m"};
    ASSERT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(lines()[2], "@echo Output:\"D:\\v\\clip.mp4\"");
    tools.helps[dir.path() + "x264.exe"] =
        " .mp4 -> MP4 if compiled with GPAC or L-SMASH support (no)\n";
    ASSERT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(lines()[2], "@echo Output:\"D:\\v\\clip.mkv\"");
}

TEST_F(Cli, RefusesWhatTheWindowRefuses) {
    // x264 opens the input itself, and this build reads no .mp4: refused
    // with the window's reason, nothing written.
    tools.programs[dir.path() + "x264.exe"] = "x264 0.164.3095 baee400\n";
    tools.helps[dir.path() + "x264.exe"] =
        "x264 core:164 r3095 baee400\nInfile can be raw (in which case resolution is required),\n"
        "  or YUV4MPEG (*.y4m),\n  or Avisynth if compiled with support (yes).\n"
        "  or libav* formats if compiled with lavf support (no) or ffms support (no).\n"
        " .mp4 -> MP4 if compiled with GPAC or L-SMASH support (no)\n";
    probe.media["D:\\v\\clip.mp4"] = {250, 25};
    EXPECT_EQ(run({"--program-folder", dir.path(), "--set", "x264input=direct", "--set",
                   "x264cli=current", "D:\\v\\clip.mp4"}),
              2);
    EXPECT_NE(err.str().find("is not a file x264.exe (build 3095) can read"), std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
    // A kept list whose piped line holds a "%" that cmd would expand: no
    // batch file, as "Make BAT" writes none.
    const std::string list = dir.file("kept.jobs");
    os.write_file(list, "@echo.\r\n@x264.exe --crf 20 -o \"D:\\v\\%PATH%.mkv\" \"D:\\v\\a.y4m\" "
                        "2>&1|runlog.exe \"D:\\v\\a.txt\"\r\n@echo+\r\n");
    EXPECT_EQ(run({"--program-folder", dir.path(), "--jobs", list, "--bat", dir.file("out.bat")}),
              1);
    EXPECT_NE(err.str().find("line 2 holds \"%\" where a piped line would expand it as a variable"),
              std::string::npos)
        << err.str();
    EXPECT_FALSE(os.file_exists(dir.file("out.bat")));
}
