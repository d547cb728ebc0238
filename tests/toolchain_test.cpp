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

    // Lines the x264 takes start without a question (once the script that
    // runs them has ended).
    processes.ended = {4242};
    app.on_timer(Timer::watch_scripts);
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

namespace {

// Help texts of x264 builds across its history (their first lines), as
// `x264 --help` prints them.
const char help_r196[] =
    "x264 core:38 svn-196\nSyntax: x264 [options] -o outfile infile [widthxheight]\n\n"
    "Infile can be raw YUV 4:2:0 (in which case resolution is required),\n"
    "  or AVI or Avisynth if compiled with AVIS support (no).\n"
    "Outfile type is selected by filename:\n .264 -> Raw bytestream\n .mkv -> Matroska\n"
    " .mp4 -> MP4 if compiled with GPAC support (yes)\n";
const char help_r995[] =
    "x264 core:65 r995 2a7fbd5\nSyntax: x264 [options] -o outfile infile [widthxheight]\n\n"
    "Infile can be raw YUV 4:2:0 (in which case resolution is required),\n"
    "  or YUV4MPEG 4:2:0 (*.y4m),\n  or AVI or Avisynth if compiled with AVIS support (yes).\n"
    "Outfile type is selected by filename:\n .264 -> Raw bytestream\n .mkv -> Matroska\n"
    " .mp4 -> MP4 if compiled with GPAC support (no)\n";
const char help_r2245[] =
    "x264 core:125 r2245 fe83a90\nSyntax: x264 [options] -o outfile infile\n\n"
    "Infile can be raw (in which case resolution is required),\n  or YUV4MPEG (*.y4m),\n"
    "  or Avisynth if compiled with support (yes).\n"
    "  or libav* formats if compiled with lavf support (yes) or ffms support (no).\n"
    "Outfile type is selected by filename:\n .264 -> Raw bytestream\n .mkv -> Matroska\n"
    " .flv -> Flash Video\n .mp4 -> MP4 if compiled with GPAC or L-SMASH support (lsmash)\n";
const char help_r3095_windows[] = // Debian's source built for Windows here
    "x264 core:164 r3095 baee400\nSyntax: x264 [options] -o outfile infile\n\n"
    "Infile can be raw (in which case resolution is required),\n  or YUV4MPEG (*.y4m),\n"
    "  or Avisynth if compiled with support (yes).\n"
    "  or libav* formats if compiled with lavf support (no) or ffms support (no).\n"
    "Outfile type is selected by filename:\n .264 -> Raw bytestream\n .mkv -> Matroska\n"
    " .flv -> Flash Video\n .mp4 -> MP4 if compiled with GPAC or L-SMASH support (no)\n"
    "Output bit depth: 8/10\n";
const char help_r3095_gpac[] =
    "x264 core:164 r3095 baee400\nSyntax: x264 [options] -o outfile infile\n\n"
    "Infile can be raw (in which case resolution is required),\n  or YUV4MPEG (*.y4m),\n"
    "  or Avisynth if compiled with support (no).\n"
    "  or libav* formats if compiled with lavf support (no) or ffms support (yes).\n"
    "Outfile type is selected by filename:\n .264 -> Raw bytestream\n .mkv -> Matroska\n"
    " .flv -> Flash Video\n .mp4 -> MP4 if compiled with GPAC or L-SMASH support (gpac)\n";

} // namespace

TEST(X264History, AbilitiesAsTheHelpTextStatesThem) {
    using commands::X264Abilities;
    const std::optional<bool> yes = true, no = false, unknown;
    struct Case {
        const char* help;
        X264Abilities abilities; // mp4, avisynth, lavf, ffms
        bool writes_no_mp4;
    } cases[] = {
        {help_r196, {yes, no, unknown, unknown}, false},
        {help_r995, {no, yes, unknown, unknown}, true},
        {help_r2245, {yes, yes, yes, no}, false},
        {help_r3095_windows, {no, yes, no, no}, true},
        {help_r3095_gpac, {yes, no, no, yes}, false},
        {"x264: unknown option --help\n", {}, false}, // says nothing: nothing changes
        {"", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.help);
        X264Abilities a = commands::x264_abilities(c.help);
        EXPECT_TRUE(a == c.abilities) << commands::abilities_text(0, a);
        EXPECT_EQ(commands::writes_no_mp4(a), c.writes_no_mp4);
        // Kept with the build and read back, for that build only.
        std::string kept = commands::abilities_text(3095, a);
        EXPECT_TRUE(commands::abilities_of(kept, 3095) == a) << kept;
        EXPECT_FALSE(commands::abilities_of(kept, 3094));
    }
    EXPECT_EQ(commands::abilities_text(3095, commands::x264_abilities(help_r3095_windows)),
              "3095 mp4=no avisynth=yes lavf=no ffms=no");

    // What a build without lavf and ffms reads when it opens its inputs itself.
    X264Abilities bare = commands::x264_abilities(help_r3095_windows);
    for (const char* readable :
         {"D:\\v\\a.y4m", "D:\\v\\A.Y4M", "D:\\v\\clip_640x480.yuv", "D:\\v\\s.avs"})
        EXPECT_TRUE(commands::reads_input(bare, readable)) << readable;
    for (const char* unreadable : {"D:\\v\\a.mkv", "D:\\v\\a.mp4", "D:\\v\\sized.yuv", "D:\\v\\x"})
        EXPECT_FALSE(commands::reads_input(bare, unreadable)) << unreadable;
    bare.avisynth_input = false;
    EXPECT_FALSE(commands::reads_input(bare, "D:\\v\\s.avs"));
    for (const char* help : {help_r2245, help_r3095_gpac, help_r995})
        EXPECT_TRUE(commands::reads_input(commands::x264_abilities(help), "D:\\v\\a.mkv")) << help;
}

TEST_F(FrontEndTest, ABuildWithoutMp4GetsMatroskaNamesAndDirectInputsItCannotRead) {
    tools.programs.clear();
    tools.programs[dir.path() + "x264.exe"] = "x264 0.164.3095 baee400\n";
    tools.helps[dir.path() + "x264.exe"] = help_r3095_windows;
    os.write_file(dir.file("quorbel.ini"),
                  "x264cli = current\r\nx264input = direct\r\nthr = 0\r\n");
    app.start();
    EXPECT_EQ(s.x264help, "3095 mp4=no avisynth=yes lavf=no ffms=no");
    // A pick: its output is a Matroska file; the dialog starts on "Other Media".
    dialogs.files = {std::string("D:\\v\\clip.y4m")};
    press(Ctl::input_button);
    EXPECT_EQ(dialogs.asked.back(), "open|||AVS(*.avs)|*.AVS|Other Media|*.*|@2");
    EXPECT_EQ(s.outfile, "D:\\v\\clip.mkv");
    // An input this x264 cannot read is refused when picked.
    dialogs.files = {std::string("D:\\v\\movie.mkv")};
    press(Ctl::input_button);
    EXPECT_EQ(
        dialogs.asked.back(),
        "message|quorbel|\"D:\\v\\movie.mkv\" is not a file x264.exe (build 3095) can read: it "
        "reads only .y4m files, raw .yuv files named with their size (such as "
        "clip_640x480.yuv) and AviSynth scripts.");
    EXPECT_EQ(s.infile, "D:\\v\\clip.y4m");
    // "Files input": the same names and refusals, in one message.
    dialogs.folder = "F:\\out\\";
    dialogs.multi = {"E:\\a.y4m", "E:\\b.mp4"};
    press(Ctl::files_input);
    EXPECT_EQ(dialogs.asked[dialogs.asked.size() - 2],
              "multi|Select some files||AVS(*.AVS)|*.avs|Other Media|*.*|@2");
    EXPECT_NE(std::find(app.queue.lines.begin(), app.queue.lines.end(),
                        "@echo Output:\"F:\\out\\a.mkv\""),
              app.queue.lines.end());
    EXPECT_EQ(
        dialogs.asked.back(),
        "message|Files input|The job for \"E:\\b.mp4\" was not added: its input is not a file "
        "x264.exe (build 3095) can read: it reads only .y4m files, raw .yuv files named with "
        "their size (such as clip_640x480.yuv) and AviSynth scripts.\n");
    // The help is read once for the build: a later start reads what was kept.
    ASSERT_TRUE(app.shut_down());
    tools.helps.clear();
    FrontEnd again({os, probe, processes, tools}, view, dialogs, dir.path());
    again.start();
    EXPECT_EQ(again.output_extension(), "mkv");
}

TEST_F(FrontEndTest, AddWithoutInputOrOutputSaysSoAndAddsNothing) {
    app.start();
    s.infile = "C:\\a.avs";
    press(Ctl::add);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(dialogs.asked.back(), "message|Add|Choose an input file and an output file first.");
    s.infile.clear(), s.outfile = "C:\\a.mp4";
    press(Ctl::add);
    EXPECT_TRUE(app.queue.lines.empty());
    EXPECT_EQ(s.outfile, "C:\\a.mp4"); // the fields stay
}

TEST_F(FrontEndTest, StartAsksWhenTheProgramsTheLinesRunAreMissingOrCannotWriteTheirOutput) {
    tools.programs.clear(); // no x264.exe, no ffmpeg.exe
    app.start();
    app.queue.lines = {"@echo.", "@x264.exe --crf 20 -o \"D:\\v\\a.mp4\" \"D:\\v\\a.y4m\"",
                       "@ffmpeg.exe -v error -i \"D:\\v\\a.y4m\" -vn -ac 2 -f wav - | "
                       "neroaacenc.exe -if - -of \"D:\\v\\a.audio.mp4\" -ignorelength -cbr 64000",
                       "@echo+"};
    dialogs.yes = false;
    press(Ctl::start);
    EXPECT_EQ(
        dialogs.asked.back(),
        "yesno|Start|No x264.exe was found, which 1 queued line run.\nNo ffmpeg.exe was found, "
        "which 1 queued line run to decode the audio. Put the programs beside quorbel.exe, "
        "in its tools folder or on the search path.\n\nStart anyway?");
    EXPECT_TRUE(processes.calls.empty());
    // One that is there but names no build is told as such, not as missing.
    tools.programs[dir.path() + "x264.exe"] = "x264, a build of its own\n";
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.back(),
              "yesno|Start|" + dir.path() +
                  "x264.exe does not say which build it is (its --version names none); 1 queued "
                  "line run it.\nNo ffmpeg.exe was found, which 1 queued line run to decode the "
                  "audio. Put the programs beside quorbel.exe, in its tools folder or on the "
                  "search path.\n\nStart anyway?");
    EXPECT_TRUE(processes.calls.empty());
    // With a build that writes no MP4, an .mp4 output is told too.
    tools.programs[dir.path() + "x264.exe"] = "x264 0.164.3095 baee400\n";
    tools.helps[dir.path() + "x264.exe"] = help_r3095_windows;
    tools.programs[dir.path() + "tools\\ffmpeg.exe"] = "";
    press(Ctl::start);
    EXPECT_EQ(dialogs.asked.back(), "yesno|Start|x264.exe (build 3095) writes no MP4 files, which "
                                    "1 of the 1 queued x264 lines write.\n\nStart anyway?");
    dialogs.yes = true;
    press(Ctl::start);
    EXPECT_EQ(processes.calls.size(), 1u);
}
