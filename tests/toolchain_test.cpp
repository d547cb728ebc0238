// The x264 in use: its build read from its version text, the options each
// build refuses, the start-up question, and the warning before "Start".
#include <gtest/gtest.h>

#include "front_end_fixture.h"
#include "frontend/commands/x264_history.h"
#include "frontend/settings/settings_file.h"

using namespace ui;
using test::FrontEndTest;

TEST(X264History, BuildFromTheVersionText) {
    struct Case {
        const char* text;
        std::optional<int> build;
    } cases[] = {
        {"x264 0.164.3095 baee400\nbuilt on Jan  1 2023, gcc: 12\n", 3095},
        {"x264 0.65.995 2a7fbd5\n", 995},
        {"x264 0.67.1177M\n", 1177},
        {"\r\nx264 0.148.2795+3 aaa\r\n", 2795},
        {"x264 core:164 r3095 baee400\n", std::nullopt},
        {"x264 0.164\n", std::nullopt},
        {"'x264' is not recognized\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(commands::x264_build(c.text), c.build) << c.text;
}

TEST(X264History, RefusedOptionsByBuild) {
    const std::string classic = "@x264.exe --progress --no-psnr --no-ssim --bime -m 6 --b-rdo "
                                "--aq-strength 1.0 --aq-sensitivity 15 -o \"a --bime.mkv\" "
                                "\"in.avs\" 2>&1|runlog.exe \"--b-rdo.txt\"";
    using V = std::vector<std::string>;
    EXPECT_EQ(commands::refused_options(classic, 995), V{"--aq-sensitivity"});
    EXPECT_EQ(commands::refused_options(classic, 996),
              (V{"--bime", "--b-rdo", "--aq-sensitivity"}));
    EXPECT_EQ(commands::refused_options(classic, 1176),
              (V{"--bime", "--b-rdo", "--aq-sensitivity"}));
    EXPECT_EQ(commands::refused_options(classic, 3095),
              (V{"--progress", "--bime", "--b-rdo", "--aq-sensitivity"}));
    EXPECT_EQ(commands::refused_options("@if errorlevel 1 @x264.exe --progress -o nul \"a\"", 1177),
              V{"--progress"});
    // Lines that run no x264: disabled ones, and other programs.
    EXPECT_TRUE(commands::refused_options("@rem " + classic, 3095).empty());
    EXPECT_TRUE(commands::refused_options("@echo --progress", 3095).empty());
    EXPECT_TRUE(commands::refused_options("@x264.exe --aq-mode 0 -o \"o.mkv\" \"i\"", 0).empty());
}

namespace {

const char current_version[] = "x264 0.164.3095 baee400\n";
const char classic_era_version[] = "x264 0.65.995 2a7fbd5\n";

} // namespace

TEST_F(FrontEndTest, StartUpQuestionOffersWhatTheFoundX264NeedsOncePerBuild) {
    struct Case {
        const char* version; // nullptr: no x264.exe anywhere
        bool avisynth;
        const char* stored; // quorbel.ini
        bool yes;
        const char* question; // empty: none asked; "message|..." a note instead
        const char* after;    // x264cli, x264input, x264asked
    } cases[] = {
        // No x264.exe: a note says where to put it, once for the folder.
        {nullptr, false, "", true,
         "message|x264|No x264.exe was found. The jobs' lines run x264.exe by name: put it "
         "beside quorbel.exe (in {P}), in its tools folder ({P}tools\\) or in a folder of the "
         "search path, then start quorbel again.",
         "classic avisynth none"},
        {nullptr, false, "x264asked = none\r\n", true, "", "classic avisynth none"},
        {current_version, false, "", true,
         "x264.exe (build 3095) in {P}x264.exe refuses --progress, which the classic x264 lines "
         "carry.\nThe settings run x264 on one thread (--threads 1); current x264 builds choose "
         "as many as the processor has.\nAviSynth is not installed, so x264 cannot read the "
         "scripts that picked inputs are wrapped into.\n\nSwitch to the lines for current x264, "
         "let x264 choose its threads and let x264 open the inputs itself?",
         "current direct 3095"},
        {current_version, true, "", false,
         "x264.exe (build 3095) in {P}x264.exe refuses --progress, which the classic x264 lines "
         "carry.\nThe settings run x264 on one thread (--threads 1); current x264 builds choose "
         "as many as the processor has.\n\nSwitch to the lines for current x264 and let x264 "
         "choose its threads?",
         "classic avisynth 3095"},
        // With x264's own threads already (a file without "thr" reads 0), only
        // the lines are offered.
        {current_version, true, "thr = 0\r\n", false,
         "x264.exe (build 3095) in {P}x264.exe refuses --progress, which the classic x264 lines "
         "carry.\n\nSwitch to the lines for current x264?",
         "classic avisynth 3095"},
        // Asked once for each build: no question for the build asked about.
        {current_version, false, "x264asked = 3095\r\n", true, "", "classic avisynth 3095"},
        {current_version, false, "x264cli = current\r\nx264input = direct\r\n", true, "",
         "current direct "},
        // The classic lines suit the builds of their era; without AviSynth
        // only the input is offered.
        {classic_era_version, true, "", true, "", "classic avisynth "},
        {classic_era_version, false, "", true,
         "AviSynth is not installed, so x264 cannot read the scripts that picked inputs are "
         "wrapped into.\n\nLet x264 open the inputs itself?",
         "classic direct 995"},
        // Builds 996 to 1176 refuse --bime: lines that carry it are offered
        // the other dialect.
        {"x264 0.66.1100 abc\n", true, "bme = 1\r\nmb = 2\r\n", true,
         "x264.exe (build 1100) in {P}x264.exe refuses --bime, which the classic x264 lines "
         "carry.\n\nSwitch to the lines for current x264?",
         "current avisynth 1100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version ? c.version : "none");
        test::TempFolder folder;
        test::ScriptedDialogs answers;
        answers.yes = c.yes;
        test::FakeTools found;
        found.avisynth = c.avisynth;
        if (c.version) found.programs[folder.path() + "x264.exe"] = c.version;
        if (*c.stored) os.write_file(folder.file("quorbel.ini"), c.stored);
        FrontEnd fresh({os, probe, processes, found}, view, answers, folder.path());
        fresh.start();
        std::string question = c.question;
        for (size_t at; (at = question.find("{P}")) != std::string::npos;)
            question.replace(at, 3, folder.path());
        EXPECT_EQ(answers.asked.empty() ? "" : answers.asked.back(),
                  question.empty() || question.rfind("message|", 0) == 0
                      ? question
                      : "yesno|x264|" + question);
        const settings::Settings& t = fresh.settings;
        EXPECT_EQ(t.x264cli + " " + t.x264input + " " + t.x264asked, c.after);
        // "Yes" to the threads lets x264 choose them; "No" changes nothing.
        bool threads_offered = question.find("choose its threads") != std::string::npos;
        if (threads_offered) {
            EXPECT_EQ(t.thr, c.yes ? "0" : "1");
        }
        // The answer is kept with the settings.
        ASSERT_TRUE(fresh.shut_down());
        EXPECT_EQ(test::read(folder.file("quorbel.ini")).find("x264asked = " + t.x264asked) !=
                      std::string::npos,
                  !t.x264asked.empty());
    }
}

TEST_F(FrontEndTest, X264IsLookedForBesideTheProgramInItsToolsFolderThenOnThePath) {
    tools.programs["x264.exe"] = current_version; // on the search path only
    app.start();
    EXPECT_EQ(tools.looked_in, (std::vector<std::string>{dir.path(), dir.path() + "tools\\"}));
    ASSERT_TRUE(app.x264);
    EXPECT_EQ(app.x264->path, "x264.exe");
    EXPECT_EQ(app.x264->build, 3095);
}

TEST_F(FrontEndTest, StartWarnsBeforeRunningLinesTheFoundX264Refuses) {
    tools.programs[dir.path() + "x264.exe"] = current_version;
    dialogs.yes = false; // keeps the classic lines at start-up
    app.start();
    s.infile = "C:\\a.avs", s.outfile = "C:\\a.mkv";
    press(Ctl::add);
    s.x264cli = "current";
    s.infile = "C:\\b.avs", s.outfile = "C:\\b.mkv";
    press(Ctl::add);
    app.queue.lines.push_back("@rem @x264.exe --progress -o nul \"x\""); // disabled: never runs
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.back(),
              "yesno|Start|x264.exe (build 3095) refuses --progress, used in 1 of the 2 queued "
              "x264 lines.\n\nStart anyway?");
    EXPECT_TRUE(processes.calls.empty());
    dialogs.yes = true;
    press(Ctl::start);
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].rfind("start ", 0), 0u);

    // Lines the x264 takes start without a question.
    app.queue.lines.erase(app.queue.lines.begin(), app.queue.lines.begin() + 6);
    app.queue.lines.pop_back();
    size_t questions = dialogs.asked.size();
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.size(), questions);
    EXPECT_EQ(processes.calls.size(), 2u);
}

TEST_F(FrontEndTest, AqWarningOnlyForTheClassicLines) {
    os.write_file(dir.file("quorbel.ini"), "x264cli = current\r\n");
    app.start();
    user(Ctl::aq, Event::changed, "1");
    for (const std::string& asked : dialogs.asked)
        EXPECT_EQ(asked.find("Warning!"), std::string::npos);
    EXPECT_TRUE(view.enabled[Ctl::aq1]);
}
