// No job writes over its own input: the names derived from a source never
// name the source (compared as the file system compares names), and a job
// whose typed names would overwrite its input, or write one file twice, is
// refused.
#include <gtest/gtest.h>

#include "frontend/commands/job_check.h"
#include "frontend/commands/job_files.h"
#include "frontend/commands/written_files.h"
#include "frontend/settings/choices.h"
#include "test_support.h"

using namespace commands;
using settings::Settings;

namespace {

struct WrittenFiles : ::testing::Test {
    test::TempFolder dir;
    platform::Os& os = platform::native_os();
    std::string p = dir.path();
    JobFolders folders{p + "avs\\", p + "stats\\", p + "log\\"};
    void SetUp() override { ASSERT_TRUE(os.create_folder(p + "avs")); }
};

struct Unmeasured final : platform::MediaProbe {
    std::optional<platform::MediaLength> media_probe(const std::string&) override { return {}; }
};

} // namespace

TEST_F(WrittenFiles, DerivedNamesNeverNameTheSource) {
    struct Case {
        const char* source;
        int muxer;
        bool audio;
        const char* output; // derived into D:\v\ (the source's folder)
    } cases[] = {
        // x264 opening movie.mp4 itself would write movie.mp4.
        {"D:\\v\\movie.mp4", settings::mux_mp4box, false, "D:\\v\\movie (2).mp4"},
        {"D:\\v\\Movie.MP4", settings::mux_none, false, "D:\\v\\Movie (2).mp4"},
        // mkvmerge would write Movie.mkv over the source Movie.MKV.
        {"D:\\v\\Movie.MKV", settings::mux_mkvmerge, true, "D:\\v\\Movie (2).mp4"},
        // Without audio no mkvmerge runs; with MP4Box the mux goes into the output.
        {"D:\\v\\Movie.MKV", settings::mux_mkvmerge, false, "D:\\v\\Movie.mp4"},
        {"D:\\v\\Movie.MKV", settings::mux_mp4box, true, "D:\\v\\Movie.mp4"},
        // The audio file named after the output would be the source.
        {"D:\\v\\clip.audio.mp4", settings::mux_mp4box, true, "D:\\v\\clip.audio (2).mp4"},
        {"D:\\v\\clip.y4m", settings::mux_mkvmerge, true, "D:\\v\\clip.mp4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + std::string(c.audio ? " with audio" : ""));
        Settings s;
        s.x264input = "direct";
        s.muxer = c.muxer;
        s.aud = c.audio;
        s.infile = c.source;
        ASSERT_FALSE(derive_job_files(s, "D:\\v\\", folders, os));
        EXPECT_EQ(s.outfile, c.output);
        EXPECT_EQ(s.infile, c.source);
        EXPECT_FALSE(file_clash(s, os)) << file_clash(s, os)->reason;
    }
}

TEST_F(WrittenFiles, TypedNamesThatOverwriteTheInputOrOneAnotherAreRefused) {
    Unmeasured probe;
    InputProbe measured(probe, os);
    Settings base;
    base.x264input = "direct";
    base.infile = "D:\\v\\movie.mp4";
    base.outfile = "D:\\v\\out.mp4";
    base.statsname = p + "stats\\movie.mp4.stat";
    base.logname = p + "log\\movie.mp4.txt";
    base.mode = 6; // two passes: stats, log and output are written
    base.crelog = 1;
    ASSERT_FALSE(job_refusal(base, measured, os));

    struct Case {
        const char* what;
        void (*change)(Settings&);
        const char* text;
    } cases[] = {
        {"output is the input", [](Settings& s) { s.outfile = "d:\\V\\MOVIE.mp4"; },
         "The job was not added: \"outfile\" names the job's input, which it would overwrite"},
        {"Matroska file is the input",
         [](Settings& s) {
             s.infile = "D:\\v\\out.MKV";
             s.muxer = settings::mux_mkvmerge;
             s.aud = 1;
         },
         "The job was not added: \"outfile\" names the job's input, which it would overwrite"},
        {"stats file is the input", [](Settings& s) { s.statsname = s.infile; },
         "The job was not added: \"statsname\" names the job's input, which it would overwrite"},
        {"log is the stats file", [](Settings& s) { s.logname = s.statsname; },
         "The job was not added: \"logname\" names the same file as \"statsname\""},
        {"log is the output", [](Settings& s) { s.logname = "D:\\V\\Out.MP4"; },
         "The job was not added: \"logname\" names the same file as \"outfile\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings s = base;
        c.change(s);
        std::optional<Refusal> refusal = job_refusal(s, measured, os);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal_text(*refusal), c.text);
    }
    // A log that is not written (no "crelog"), and a stats file of a mode
    // without one, may name anything.
    Settings s = base;
    s.crelog = 0;
    s.logname = s.infile;
    s.mode = 2;
    s.statsname = s.infile;
    EXPECT_FALSE(job_refusal(s, measured, os));
}

TEST_F(WrittenFiles, AWrapperIsReadWithTheSourceItNames) {
    ASSERT_TRUE(os.write_file(p + "avs\\clip.mkv.avs", wrapper_script("D:\\v\\clip.mkv", "")));
    Settings s;
    s.infile = p + "avs\\clip.mkv.avs";
    s.outfile = "D:\\v\\CLIP.mkv"; // the wrapper's source
    std::optional<FileClash> clash = file_clash(s, os);
    ASSERT_TRUE(clash);
    EXPECT_EQ(clash->field, "outfile");
}

TEST_F(WrittenFiles, SourcesThatDifferOnlyInLetterCaseGetNamesOfTheirOwn) {
    // The platform's narrow text: code page 1252 on Windows, UTF-8 elsewhere.
#ifdef _WIN32
    const std::string E = "\xC9", e = "\xE9", A = "\xC0", a = "\xE0";
#else
    const std::string E = "\xC3\x89", e = "\xC3\xA9", A = "\xC3\x80", a = "\xC3\xA0";
#endif
    const std::pair<std::string, std::string> pairs[] = {
        {E + "cran", e + "cran"}, {A + "B", a + "b"}, {"Clip", "cLIP"}};
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(first + " " + second);
        JobList queued = {"@echo.", "@echo Input:\"C:\\a\\" + first + ".y4m\"",
                          "@x264.exe --stats \"" + p + "stats\\" + first + ".y4m.stat\" -o \"D:\\out\\" +
                              first + ".mp4\" \"C:\\a\\" + first + ".y4m\"",
                          "@echo+"};
        Settings s;
        s.x264input = "direct";
        s.infile = "C:\\b\\" + second + ".y4m";
        ASSERT_FALSE(derive_job_files(s, "D:\\out\\", folders, os, NamesInUse(queued, os)));
        EXPECT_EQ(s.outfile, "D:\\out\\" + second + " (2).mp4");
        EXPECT_EQ(s.statsname, p + "stats\\" + second + " (2).y4m.stat");
    }
}
