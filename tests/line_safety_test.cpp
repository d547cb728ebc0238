// No field can put a command of its own into a line: "%" is refused where a
// line writes a field unquoted, and piped lines keep their names through the
// second pass of the command interpreter.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "frontend/commands/job_block.h"
#include "frontend/commands/job_check.h"
#include "frontend/commands/line_safety.h"

using namespace commands;
using settings::Settings;

TEST(LineSafety, PercentIsRefusedInEveryFieldALineWritesUnquoted) {
    const std::set<std::string> quoted = {"infile",    "outfile", "statsname", "logname",
                                          "avsinc",    "cfgname", "x264cli",   "x264input",
                                          "x264asked", "x264help"};
    for (const settings::FieldSpec& f : settings::schema()) {
        if (f.kind != settings::Kind::text) continue;
        SCOPED_TRACE(f.key);
        Settings s = test::example_settings();
        s.*f.text = "%QQ%";
        std::optional<std::string> field = unsafe_field(s);
        if (quoted.count(f.key))
            EXPECT_FALSE(field);
        else
            EXPECT_EQ(field.value_or("<safe>"), f.key);
    }
    // A matrix file in its own quotes is a name.
    Settings s = test::example_settings();
    s.cqm = "\"C:\\100% flat\\m.cfg\"";
    EXPECT_FALSE(unsafe_field(s));
}

TEST(LineSafety, PipedLinesKeepTheirNamesThroughTheSecondPass) {
    struct Case {
        const char* line;  // as the batch file holds it ("%%" for "%")
        const char* fault; // the name at fault; empty: safe
    } cases[] = {
        // One "%" in each of two names: a quote lies between them.
        {"@x264.exe -o \"D:\\100%% sure\\a.mkv\" \"D:\\100%% sure\\a.y4m\" 2>&1|runlog.exe "
         "\"C:\\enc\\log\\a.y4m.txt\"",
         ""},
        {"@x264.exe -o \"D:\\v\\a.mkv\" \"D:\\v\\%%PATH%%.y4m\" 2>&1|runlog.exe \"C:\\l.txt\"",
         "D:\\v\\%PATH%.y4m"},
        {"@x264.exe -o \"D:\\v\\a.mkv\" \"D:\\v\\a.y4m\" 2>&1|runlog.exe \"C:\\log\\50%% of "
         "100%%.txt\"",
         "C:\\log\\50% of 100%.txt"},
        // Each side counts on its own: one "%" left of the pipe, one right.
        {"@x264.exe -o \"D:\\v\\a%%.mkv\" \"D:\\v\\a.y4m\" 2>&1|runlog.exe \"C:\\l%%.txt\"", ""},
        {"@ffmpeg.exe -v error -i \"D:\\%%CD%%\\a.mkv\" -vn -ac 2 -f wav - | neroaacenc.exe -if - "
         "-of \"D:\\v\\a.audio.mp4\" -ignorelength -cbr 64000",
         "D:\\%CD%\\a.mkv"},
        {"@bepipe.exe --script \"import(^C:\\enc\\avs\\%%x%%.avs^)\" | enc_aacplus.exe - "
         "\"D:\\v\\a.audio.aac\" --cbr 64000",
         "import(^C:\\enc\\avs\\%x%.avs^)"},
        // Lines without a pipe, and disabled lines, run no second pass.
        {"@sizegate.exe 90 110 \"D:\\%%PATH%%.mkv\"", ""},
        {"@x264.exe -o \"D:\\%%PATH%%.mkv\" \"D:\\v\\a.y4m\"", ""},
        {"@rem @x264.exe -o \"D:\\%%PATH%%.mkv\" \"a.y4m\" 2>&1|runlog.exe \"l.txt\"", ""},
        // A "|" inside a name is no pipe.
        {"@x264.exe -o \"D:\\a|%%PATH%%.mkv\" \"D:\\a.y4m\"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(piped_percent_problem(c.line).value_or(""), c.fault);
    }
}

TEST(LineSafety, AJobWhosePipedLineWouldChangeANameIsRefusedNamingTheField) {
    Settings s = test::example_settings();
    s.mode = 2; // one pass, piped into runlog
    s.infile = "C:\\video\\%PATH%.avs";
    JobList lines = job_block(s, {});
    Settings kept = s;
    std::optional<Refusal> refusal = line_refusal(kept, lines);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal_text(*refusal), "The job was not added: \"infile\" holds \"%\" where a piped "
                                      "line would expand it as a variable");
    // Without the log the x264 line pipes nothing.
    s.crelog = 0;
    EXPECT_FALSE(line_refusal(s, job_block(s, {})));
}
